// Little-endian byte access and the one error type of ce-image: every
// refusal is an Error whose text is printed as is, so it names the section,
// symbol or offset that caused it.
#ifndef CE_IMAGE_COMMON_H
#define CE_IMAGE_COMMON_H

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace ceimage {

using Bytes = std::vector<uint8_t>;

struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads past the end throw Error naming `what`, so a truncated input is
// refused rather than read out of bounds.
uint16_t getU16(const Bytes& b, size_t at, const char* what = "file");
uint32_t getU32(const Bytes& b, size_t at, const char* what = "file");
void setU16(Bytes& b, size_t at, uint16_t v);
void setU32(Bytes& b, size_t at, uint32_t v);
void appendU16(Bytes& b, uint16_t v);
void appendU32(Bytes& b, uint32_t v);

inline uint32_t alignUp(uint32_t v, uint32_t to) { return (v + to - 1) & ~(to - 1); }
std::string hex(uint32_t v);

Bytes readFile(const std::string& path);
void writeFile(const std::string& path, const Bytes& data);

}  // namespace ceimage

#endif
