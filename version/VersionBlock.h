#pragma once
// The version block that the build embeds in an executable, and the encoder that lays it out. The block
// is found in the file by its marker, so any file format can carry it:
//
//     marker (16 bytes) | payload size n (u32) | ~n (u32) | payload (n bytes)
//
// The payload is a run of keyed entries, each "key length (u16) | key | value length (u32) | value", all
// little-endian. The keys are paths: "\" holds the 52-byte fixed file information (13 u32: signature
// 0xFEEF04BD, structure version, file version high and low word, product version high and low word,
// flags mask, flags, OS, type, subtype, date high and low word), "\VarFileInfo\Translation" holds the
// language and code page (u16 each), and "\StringFileInfo\<language><code page>\<name>" the texts.
// The size is stored with its complement so that a stray copy of the marker (a reader's search constant,
// say) is not taken for a block.
//
// Standard library only and constexpr throughout: the build evaluates the encoder at compile time to
// place the block in the executable's data, and tests call it at run time to write blocks into files.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace verblock {

inline constexpr std::array<std::uint8_t, 16> Marker = {0x7F, 'Q', 'V', '-', 'V', 'E', 'R', 'S',
                                                        'I',  'O', 'N', '-', 'B', 'L', 'K', 0x01};
inline constexpr std::size_t HeaderSize = Marker.size() + 8;
inline constexpr std::uint32_t FixedSignature = 0xFEEF04BDu;
inline constexpr std::size_t FixedInfoSize = 52;

// File flags, as the fixed file information holds them.
inline constexpr std::uint32_t FlagDebug = 0x01;
inline constexpr std::uint32_t FlagPreRelease = 0x02;
inline constexpr std::uint32_t FlagPatched = 0x04;
inline constexpr std::uint32_t FlagPrivateBuild = 0x08;
inline constexpr std::uint32_t FlagInfoInferred = 0x10;
inline constexpr std::uint32_t FlagSpecialBuild = 0x20;
inline constexpr std::uint32_t FlagsMask = 0x3F;

inline constexpr std::string_view FixedInfoKey = "\\";
inline constexpr std::string_view TranslationKey = "\\VarFileInfo\\Translation";

// What a block holds. The texts go into the string table of the one translation.
struct TValues {
    std::array<std::uint16_t, 4> FileVersion{};    // most significant part first
    std::array<std::uint16_t, 4> ProductVersion{}; // most significant part first
    std::uint32_t Flags = 0;
    std::uint32_t Mask = FlagsMask;
    std::uint16_t Language = 0x0409; // US English
    std::uint16_t CodePage = 1252;   // Windows Latin-1, the program's text code page
    std::string_view CompanyName;
    std::string_view ProductName;
    std::string_view FileVersionText;
    std::string_view ProductVersionText;
    std::string_view SpecialBuild;              // set with FlagSpecialBuild
    bool WithFixedInfo = true;                  // false writes a block without the fixed file information
    std::size_t FixedInfoBytes = FixedInfoSize; // fewer writes a cut-short fixed file information
    bool WithTranslation = true;                // false writes a block without the translation entry
};

// A block of at most Capacity bytes; Size of them are used.
template <std::size_t Capacity> struct TBlock {
    std::array<std::uint8_t, Capacity> Bytes{};
    std::size_t Size = 0;
    bool Overflow = false;
};

namespace detail {

template <std::size_t C> constexpr void Put(TBlock<C>& b, std::uint8_t v) {
    if (b.Size < C)
        b.Bytes[b.Size++] = v;
    else
        b.Overflow = true;
}
template <std::size_t C> constexpr void Put16(TBlock<C>& b, std::uint16_t v) {
    Put(b, std::uint8_t(v & 0xFF));
    Put(b, std::uint8_t(v >> 8));
}
template <std::size_t C> constexpr void Put32(TBlock<C>& b, std::uint32_t v) {
    Put16(b, std::uint16_t(v & 0xFFFF));
    Put16(b, std::uint16_t(v >> 16));
}
template <std::size_t C> constexpr void PutText(TBlock<C>& b, std::string_view s) {
    for (char c : s)
        Put(b, std::uint8_t(c));
}
// An entry whose value is written by a callable; the value length is known from value.size.
template <std::size_t C, class Writer>
constexpr void PutEntry(TBlock<C>& b, std::string_view key, std::uint32_t valueSize, Writer write) {
    Put16(b, std::uint16_t(key.size()));
    PutText(b, key);
    Put32(b, valueSize);
    write(b);
}
template <std::size_t C>
constexpr void PutStringEntry(TBlock<C>& b, std::string_view table, std::string_view name,
                              std::string_view value) {
    if (value.empty()) return;
    Put16(b, std::uint16_t(table.size() + name.size()));
    PutText(b, table);
    PutText(b, name);
    Put32(b, std::uint32_t(value.size()));
    PutText(b, value);
}
constexpr std::uint32_t High(const std::array<std::uint16_t, 4>& v) {
    return std::uint32_t(v[0]) << 16 | v[1];
}
constexpr std::uint32_t Low(const std::array<std::uint16_t, 4>& v) {
    return std::uint32_t(v[2]) << 16 | v[3];
}
constexpr char HexDigit(unsigned v) {
    return char(v < 10 ? '0' + v : 'A' + v - 10);
}

} // namespace detail

// "\StringFileInfo\040904E4\" for US English in code page 1252: the prefix of the string table keys.
struct TTablePrefix {
    std::array<char, 26> Text{};
    constexpr explicit TTablePrefix(std::uint16_t language, std::uint16_t codePage) {
        constexpr std::string_view head = "\\StringFileInfo\\";
        std::size_t i = 0;
        for (char c : head)
            Text[i++] = c;
        const std::uint32_t code = std::uint32_t(language) << 16 | codePage;
        for (int shift = 28; shift >= 0; shift -= 4)
            Text[i++] = detail::HexDigit((code >> shift) & 0xF);
        Text[i] = '\\';
    }
    constexpr std::string_view View() const { return {Text.data(), Text.size()}; }
};

template <std::size_t Capacity = 512> constexpr TBlock<Capacity> Encode(const TValues& v) {
    using namespace detail;
    TBlock<Capacity> b;
    for (std::uint8_t m : Marker)
        Put(b, m);
    Put32(b, 0); // sizes, patched below
    Put32(b, 0);
    if (v.WithFixedInfo)
        PutEntry(b, FixedInfoKey, std::uint32_t(v.FixedInfoBytes), [&v](TBlock<Capacity>& out) {
            const std::uint32_t words[13] = {FixedSignature,
                                             0x00010000u,
                                             High(v.FileVersion),
                                             Low(v.FileVersion),
                                             High(v.ProductVersion),
                                             Low(v.ProductVersion),
                                             v.Mask,
                                             v.Flags,
                                             0,
                                             1 /* application */,
                                             0,
                                             0,
                                             0};
            TBlock<FixedInfoSize> fixed;
            for (std::uint32_t w : words)
                Put32(fixed, w);
            for (std::size_t i = 0; i < v.FixedInfoBytes && i < FixedInfoSize; ++i)
                Put(out, fixed.Bytes[i]);
        });
    if (v.WithTranslation)
        PutEntry(b, TranslationKey, 4, [&v](TBlock<Capacity>& out) {
            Put16(out, v.Language);
            Put16(out, v.CodePage);
        });
    const TTablePrefix table(v.Language, v.CodePage);
    PutStringEntry(b, table.View(), "CompanyName", v.CompanyName);
    PutStringEntry(b, table.View(), "ProductName", v.ProductName);
    PutStringEntry(b, table.View(), "FileVersion", v.FileVersionText);
    PutStringEntry(b, table.View(), "ProductVersion", v.ProductVersionText);
    PutStringEntry(b, table.View(), "SpecialBuild", v.SpecialBuild);
    const auto payload = std::uint32_t(b.Size - HeaderSize);
    for (int i = 0; i < 4; ++i) {
        b.Bytes[Marker.size() + i] = std::uint8_t(payload >> (8 * i));
        b.Bytes[Marker.size() + 4 + i] = std::uint8_t(~payload >> (8 * i));
    }
    return b;
}

} // namespace verblock
