#pragma once
// The byte sequences a display receives, written once for all the tests.

#include <string>

namespace sequences {

inline const std::string kIntroducer = "\x1b\x13\x1f\x14\x16";
inline const std::string kNormalErase = "\r" + kIntroducer + "0" + std::string(1, '\0');
inline const std::string kFirstTimeErase = kIntroducer + "2" + std::string(1, '\0');
inline const std::string kSetBaud = "\r" + kIntroducer + "1";
inline std::string frame(int index) {
    return std::string{'\0', static_cast<char>(index), '\0'};
}

inline const std::string kRecord1 = ":10010000214601360121470136007EFE09D2190140\n";
inline const std::string kRecord2 = ":100110002146017E17C20001FF5F16002148011928\n";
inline const std::string kEndRecord = ":00000001FF\n";

} // namespace sequences
