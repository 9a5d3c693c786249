// The text-mode stream against the translation written out plainly, over a file
// written from the input. The input's first two bytes put up to 8,191 filler bytes
// ahead of the rest, so that short inputs reach the refills at every 4,096 bytes,
// where a CR and its LF can arrive in two reads.

#include "fuzz/FuzzSupport.h"
#include "platform/files/TextModeFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string file;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    if (rest.size() >= 2) {
        const std::size_t filler = ((static_cast<std::size_t>(data[0]) << 8) | data[1]) % 8192;
        file.assign(filler, 'x');
        rest.remove_prefix(2);
    }
    file += rest;

    const std::string path = fuzz::ScratchDirectory::instance().write("TEXT.CSF", file);
    const auto stream = platform::TextModeFile::open(CString(path.c_str()));
    FUZZ_CHECK(stream);

    const std::string expected = fuzz::textModeBytes(file);
    for (const char c : expected)
        FUZZ_CHECK(stream->get() == static_cast<unsigned char>(c));
    // The end is reported as such, and stays.
    for (int i = 0; i < 3; ++i)
        FUZZ_CHECK(stream->get() == platform::TextModeFile::EndOfFile);
    return 0;
}
