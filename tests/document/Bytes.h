#pragma once
// Hand-built little-endian byte sequences for the expected file records.

#include "platform/Types.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class Bytes {
public:
    Bytes& W(unsigned v)
    {
        b.push_back(static_cast<BYTE>(v & 0xFF));
        b.push_back(static_cast<BYTE>((v >> 8) & 0xFF));
        return *this;
    }
    Bytes& DW(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i) {
            b.push_back(static_cast<BYTE>((v >> (8 * i)) & 0xFF));
        }
        return *this;
    }
    Bytes& I(std::int32_t v) { return DW(static_cast<std::uint32_t>(v)); }
    Bytes& D(double v)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i) {
            b.push_back(static_cast<BYTE>((bits >> (8 * i)) & 0xFF));
        }
        return *this;
    }
    // A string of 8-bit characters with its length prefix (short forms).
    Bytes& S(const std::string& s)
    {
        if (s.size() < 255) {
            b.push_back(static_cast<BYTE>(s.size()));
        } else {
            b.push_back(0xFF);
            W(static_cast<unsigned>(s.size()));
        }
        return Raw(s);
    }
    Bytes& Raw(const std::string& s)
    {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& Append(const Bytes& o)
    {
        b.insert(b.end(), o.b.begin(), o.b.end());
        return *this;
    }
    std::size_t size() const { return b.size(); }

    std::vector<BYTE> b;
};
