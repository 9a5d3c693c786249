// Preloaded into the desktop program: stamps, on CLOCK_MONOTONIC, every image
// that Qt's X11 backing store puts on a window, and every key press that Qt takes
// from the X server, and appends a line each to the file named by
// VELTRAN_PAINT_STAMPS: the time, the drawable (0 for a key) and the call. The
// first put on a window is that window's first paint reaching the X server.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

// The calls' own declarations, so that no development package of xcb is needed.
struct xcb_connection_t;
struct xcb_void_cookie_t {
    unsigned int sequence;
};
struct xcb_generic_event_t {
    std::uint8_t response_type;
};

namespace {

void stamp(const char* call, std::uint32_t drawable) {
    static const int fd = [] {
        const char* path = std::getenv("VELTRAN_PAINT_STAMPS");
        return path ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
    }();
    if (fd < 0)
        return;
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    char line[96];
    const int n =
        std::snprintf(line, sizeof line, "%.4f %u %s\n",
                      static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6,
                      drawable, call);
    if (n > 0) [[maybe_unused]]
        const ssize_t written = write(fd, line, static_cast<std::size_t>(n));
}

// Qt loads its X11 plugin with dlopen, and xcb with it, out of RTLD_NEXT's reach:
// the real calls are looked up in their own libraries.
template <typename F> F real(const char* library, const char* name) {
    void* handle = dlopen(library, RTLD_LAZY | RTLD_LOCAL);
    return handle ? reinterpret_cast<F>(dlsym(handle, name)) : nullptr;
}

constexpr std::uint8_t kKeyPress = 2;

xcb_generic_event_t* stampKey(xcb_generic_event_t* event) {
    // The top bit marks an event sent by another client.
    if (event && (event->response_type & 0x7F) == kKeyPress)
        stamp("key_press", 0);
    return event;
}

} // namespace

extern "C" {

xcb_generic_event_t* xcb_wait_for_event(xcb_connection_t* c) {
    using F = xcb_generic_event_t* (*)(xcb_connection_t*);
    static const F call = real<F>("libxcb.so.1", "xcb_wait_for_event");
    return stampKey(call(c));
}

xcb_generic_event_t* xcb_poll_for_event(xcb_connection_t* c) {
    using F = xcb_generic_event_t* (*)(xcb_connection_t*);
    static const F call = real<F>("libxcb.so.1", "xcb_poll_for_event");
    return stampKey(call(c));
}

xcb_generic_event_t* xcb_poll_for_queued_event(xcb_connection_t* c) {
    using F = xcb_generic_event_t* (*)(xcb_connection_t*);
    static const F call = real<F>("libxcb.so.1", "xcb_poll_for_queued_event");
    return stampKey(call(c));
}

xcb_void_cookie_t xcb_shm_put_image(xcb_connection_t* c, std::uint32_t drawable, std::uint32_t gc,
                                    std::uint16_t totalWidth, std::uint16_t totalHeight,
                                    std::uint16_t srcX, std::uint16_t srcY, std::uint16_t srcWidth,
                                    std::uint16_t srcHeight, std::int16_t dstX, std::int16_t dstY,
                                    std::uint8_t depth, std::uint8_t format, std::uint8_t sendEvent,
                                    std::uint32_t shmseg, std::uint32_t offset) {
    using F = xcb_void_cookie_t (*)(xcb_connection_t*, std::uint32_t, std::uint32_t, std::uint16_t,
                                    std::uint16_t, std::uint16_t, std::uint16_t, std::uint16_t,
                                    std::uint16_t, std::int16_t, std::int16_t, std::uint8_t,
                                    std::uint8_t, std::uint8_t, std::uint32_t, std::uint32_t);
    static const F call = real<F>("libxcb-shm.so.0", "xcb_shm_put_image");
    const xcb_void_cookie_t cookie =
        call(c, drawable, gc, totalWidth, totalHeight, srcX, srcY, srcWidth, srcHeight, dstX, dstY,
             depth, format, sendEvent, shmseg, offset);
    stamp("shm_put_image", drawable);
    return cookie;
}

xcb_void_cookie_t xcb_put_image(xcb_connection_t* c, std::uint8_t format, std::uint32_t drawable,
                                std::uint32_t gc, std::uint16_t width, std::uint16_t height,
                                std::int16_t dstX, std::int16_t dstY, std::uint8_t leftPad,
                                std::uint8_t depth, std::uint32_t length,
                                const std::uint8_t* data) {
    using F = xcb_void_cookie_t (*)(xcb_connection_t*, std::uint8_t, std::uint32_t, std::uint32_t,
                                    std::uint16_t, std::uint16_t, std::int16_t, std::int16_t,
                                    std::uint8_t, std::uint8_t, std::uint32_t, const std::uint8_t*);
    static const F call = real<F>("libxcb.so.1", "xcb_put_image");
    const xcb_void_cookie_t cookie =
        call(c, format, drawable, gc, width, height, dstX, dstY, leftPad, depth, length, data);
    stamp("put_image", drawable);
    return cookie;
}

xcb_void_cookie_t xcb_copy_area(xcb_connection_t* c, std::uint32_t src, std::uint32_t dst,
                                std::uint32_t gc, std::int16_t srcX, std::int16_t srcY,
                                std::int16_t dstX, std::int16_t dstY, std::uint16_t width,
                                std::uint16_t height) {
    using F = xcb_void_cookie_t (*)(xcb_connection_t*, std::uint32_t, std::uint32_t, std::uint32_t,
                                    std::int16_t, std::int16_t, std::int16_t, std::int16_t,
                                    std::uint16_t, std::uint16_t);
    static const F call = real<F>("libxcb.so.1", "xcb_copy_area");
    const xcb_void_cookie_t cookie = call(c, src, dst, gc, srcX, srcY, dstX, dstY, width, height);
    stamp("copy_area", dst);
    return cookie;
}

} // extern "C"
