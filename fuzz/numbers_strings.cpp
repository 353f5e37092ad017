// Fuzz target: the locale-free number readers and writers and the archive's
// string forms.
//
// - Atoi, Atof, ScanInt and ScanDouble read the input as text and must agree
//   with the C library's strtoll and strtod in the "C" locale on the
//   decimal forms (other forms, hex, "inf", "nan", read as no number).
// - Format, FormatFixed and FormatGeneral write the number made of the first
//   eight input bytes with a point, never a comma, and read back to the same
//   value (17 digits) or the same text (fixed).
// - The input read as an archive gives strings until one is cut short; each
//   string is written again in one of the prefix forms and reads back equal.
//
// The user's locale is set to one with a decimal comma when the machine has
// one, so that every check also proves the conversions ignore it.

#include "FuzzQuiet.h"

#include "platform/Archive.h"
#include "platform/Numbers.h"

#include <locale.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The length prefix as the archive format lays it out.
std::vector<BYTE> Prefix(std::uint64_t n)
{
    std::vector<BYTE> p;
    auto le = [&p](std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            p.push_back(static_cast<BYTE>(v >> (8 * i)));
    };
    if (n < 255) {
        le(n, 1);
    } else if (n < 0xFFFE) {
        le(0xFF, 1);
        le(n, 2);
    } else if (n < 0xFFFFFFFFull) {
        le(0xFF, 1);
        le(0xFFFF, 2);
        le(n, 4);
    } else {
        le(0xFF, 1);
        le(0xFFFF, 2);
        le(0xFFFFFFFFull, 4);
        le(n, 8);
    }
    return p;
}

bool StartsWith(const std::vector<BYTE>& b, const std::vector<BYTE>& head)
{
    return b.size() >= head.size() && std::equal(head.begin(), head.end(), b.begin());
}

// True when b is exactly one length prefix and that many characters of
// unit bytes each.
bool MatchesPrefixForm(const std::vector<BYTE>& b, std::uint64_t unit)
{
    for (std::size_t head : {1u, 3u, 7u, 15u}) {
        if (b.size() < head || (b.size() - head) % unit != 0)
            continue;
        const std::uint64_t m = (b.size() - head) / unit;
        if (Prefix(m).size() == head && StartsWith(b, Prefix(m)))
            return true;
    }
    return false;
}

void CheckReaders(const std::string& text)
{
    // atoi: strtoll clamped to int.
    errno = 0;
    const long long ll = strtoll_l(text.c_str(), nullptr, 10, CLocale());
    const int expectedInt = ll > INT_MAX ? INT_MAX : ll < INT_MIN ? INT_MIN : static_cast<int>(ll);
    FUZZ_CHECK(Numbers::Atoi(text) == expectedInt);

    // "%d": a number only when a digit follows the white space and sign.
    std::size_t i = 0;
    while (i < text.size() && std::strchr(" \t\n\v\f\r", text[i]) != nullptr && text[i] != '\0')
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const bool hasDigit = i < text.size() && text[i] >= '0' && text[i] <= '9';
    int scannedInt = 12345;
    FUZZ_CHECK(Numbers::ScanInt(text, scannedInt) == hasDigit);
    FUZZ_CHECK(scannedInt == (hasDigit ? expectedInt : 12345));

    // atof: strtod on the text it takes, when that text is decimal.
    char* end = nullptr;
    const double expected = strtod_l(text.c_str(), &end, CLocale());
    const std::string taken(text.c_str(), static_cast<std::size_t>(end - text.c_str()));
    const bool decimal = taken.find_first_not_of(" \t\n\v\f\r+-0123456789.eE") == std::string::npos;
    const double value = Numbers::Atof(text);
    double scanned = 12345.0;
    const bool found = Numbers::ScanDouble(text, scanned);
    if (decimal) {
        FUZZ_CHECK(SameBits(value, taken.empty() ? 0.0 : expected));
        FUZZ_CHECK(found == !taken.empty());
    } else {
        // Hex, "inf" and "nan" are no numbers here; "0x..." reads its 0.
        FUZZ_CHECK(value == 0.0);
    }
    FUZZ_CHECK(SameBits(scanned, found ? value : 12345.0));
}

void CheckWriters(const std::uint8_t* data, std::size_t size)
{
    if (size < 8)
        return;
    double d;
    std::memcpy(&d, data, sizeof d);
    std::int32_t n;
    std::memcpy(&n, data, sizeof n);

    const std::string integer = Numbers::Format("%d", n);
    FUZZ_CHECK(Numbers::Atoi(integer) == n);
    if (!std::isfinite(d))
        return;
    const std::string general = Numbers::FormatGeneral(d, 17);
    FUZZ_CHECK(general.find(',') == std::string::npos);
    FUZZ_CHECK(SameBits(Numbers::Atof(general), d));
    const std::string fixed = Numbers::FormatFixed(d, 10);
    FUZZ_CHECK(fixed.find(',') == std::string::npos);
    FUZZ_CHECK(Numbers::FormatFixed(Numbers::Atof(fixed), 10) == fixed);
    const std::string printf = Numbers::Format("%1.10f", d);
    FUZZ_CHECK(printf == fixed);
}

void CheckStrings(const std::uint8_t* data, std::size_t size)
{
    if (size >= 8) {
        std::uint64_t n;
        std::memcpy(&n, data, sizeof n);
        CArchive length;
        length.WriteStringLength(n);
        FUZZ_CHECK(length.Buffer() == Prefix(n));
    }

    CArchive in(std::vector<BYTE>(data, data + size));
    for (int count = 0; count < 64 && in.Remaining() > 0; ++count) {
        std::string s;
        try {
            s = in.ReadString();
        } catch (const CArchiveException&) {
            break;
        }
        CArchive out;
        out << s;
        const std::vector<BYTE>& b = out.Buffer();
        // Either 8-bit characters after their length, or the UTF-16 mark,
        // the length and two bytes a character.
        const std::vector<BYTE> mark = {0xFF, 0xFE, 0xFF};
        if (StartsWith(b, mark)) {
            const std::vector<BYTE> rest(b.begin() + 3, b.end());
            FUZZ_CHECK(MatchesPrefixForm(rest, 2));
            bool ascii = true;
            for (unsigned char c : s)
                ascii = ascii && c < 0x80;
            FUZZ_CHECK(!ascii);
        } else {
            FUZZ_CHECK(MatchesPrefixForm(b, 1));
        }
        CArchive back(b);
        FUZZ_CHECK(back.ReadString() == s);
        FUZZ_CHECK(back.Remaining() == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool prepared = [] {
        InstallQuietUi();
        if (setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
            setlocale(LC_ALL, "de_DE.utf8");
        return true;
    }();
    (void)prepared;

    CheckReaders(std::string(reinterpret_cast<const char*>(data), size));
    CheckWriters(data, size);
    CheckStrings(data, size);
    return 0;
}
