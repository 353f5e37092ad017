#pragma once
// Hand-built little-endian byte sequences for the expected file records, and
// a message-box double that records every text, type and beep.

#include "platform/MessageBox.h"
#include "platform/Types.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

class Bytes {
public:
    Bytes& W(unsigned v) { return Le(v, 2); }
    Bytes& DW(std::uint32_t v) { return Le(v, 4); }
    Bytes& I(std::int32_t v) { return Le(static_cast<std::uint32_t>(v), 4); }
    Bytes& D(double v)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        return Le(bits, 8);
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
    // The same in the 16-bit form (short, characters below 256).
    Bytes& S16(const std::string& s)
    {
        b.push_back(0xFF);
        W(0xFFFE).b.push_back(static_cast<BYTE>(s.size()));
        for (const char c : s)
            W(static_cast<unsigned char>(c));
        return *this;
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

private:
    Bytes& Le(std::uint64_t v, int n)
    {
        for (int i = 0; i < n; ++i) {
            b.push_back(static_cast<BYTE>((v >> (8 * i)) & 0xFF));
        }
        return *this;
    }
};

// The head of a graph record: x log scale 20..20000 Hz, y 50..120 dB, then
// the curve count.
inline Bytes GraphHead(unsigned curves)
{
    Bytes r;
    r.W(0).W(curves).D(20).D(20000).D(50).D(120).D(1000).D(10).I(1).I(0);
    return r;
}

// The record of a plane that was never set, with or without extent z.
inline Bytes EmptyPlaneRecord(bool withZ)
{
    Bytes r;
    r.W(0).W(0).D(0).D(0).D(0).D(0);
    if (withZ) {
        r.D(0);
    }
    r.D(0).D(0).D(0).D(0).D(0).D(0).D(0).D(0);
    return r;
}

class RecordingMessages : public IMessageBox {
public:
    RecordingMessages() { SetMessages(this); }
    ~RecordingMessages() override { SetMessages(nullptr); }

    int Show(const std::string& text, unsigned type) override
    {
        shown.emplace_back(text, type);
        events.push_back("box:" + text);
        const int given = answers.empty() ? answer : answers.front();
        answers.erase(answers.begin(), answers.begin() + (answers.empty() ? 0 : 1));
        return given;
    }
    void Beep(unsigned type) override
    {
        beeps.push_back(type);
        events.push_back("beep:" + std::to_string(type));
    }

    std::vector<std::pair<std::string, unsigned>> shown;
    std::vector<unsigned> beeps;
    std::vector<std::string> events;
    int answer = IDOK;
    std::vector<int> answers;  // given in turn, before answer
};
