#include "LocationRecord.h"

#include "storage/Win1252.h"

#include <QtEndian>

#include <bit>
#include <cmath>
#include <cstring>

namespace {

constexpr int NameOffset = 8;
constexpr int FirstFloatOffset = 40;

int32_t Int32At(const char* bytes, int offset) {
    return qFromLittleEndian<qint32>(bytes + offset);
}
float FloatAt(const char* bytes, int offset) {
    return std::bit_cast<float>(qFromLittleEndian<quint32>(bytes + offset));
}
void PutInt32(char* bytes, int offset, int32_t v) {
    qToLittleEndian<qint32>(v, bytes + offset);
}
void PutFloat(char* bytes, int offset, float v) {
    qToLittleEndian<quint32>(std::bit_cast<quint32>(v), bytes + offset);
}

// The eleven single-precision fields in file order, from offset 40 in steps of 4.
template <typename R> auto FloatFields(R& r) {
    return std::array{&r.Latitude,     &r.Longitude,     &r.TimeZone,      &r.Altitude,
                      &r.CoolingFirst, &r.CoolingSecond, &r.HeatingDesign, &r.WindSpeed,
                      &r.MaxDryBulb,   &r.MinDryBulb,    &r.DryBulbRange};
}

constexpr int FloatFieldCount =
    int(std::tuple_size_v<decltype(FloatFields(std::declval<LocationRecord&>()))>);

} // namespace

int32_t RecordDatabaseCode(const char* bytes) {
    return Int32At(bytes, 0);
}
int32_t RecordRegionCode(const char* bytes) {
    return Int32At(bytes, 4);
}

QString RecordPlaceName(const char* bytes) {
    const int length = std::min<int>(static_cast<unsigned char>(bytes[NameOffset]), MaxPlaceNameLength);
    return DecodeWin1252(QByteArrayView(bytes + NameOffset + 1, length));
}

bool RecordPlaceNameIs(const char* bytes, const QString& name) {
    const int length = std::min<int>(static_cast<unsigned char>(bytes[NameOffset]), MaxPlaceNameLength);
    if (name.size() != length) return false;
    const char* text = bytes + NameOffset + 1;
    for (int i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // Bytes 0x80..0x9F stand for other characters; the rare name holding one is decoded in full.
        if (c >= 0x80 && c < 0xA0) return RecordPlaceName(bytes) == name;
        if (name[i].unicode() != c) return false;
    }
    return true;
}

bool RecordNumbersFinite(const char* bytes) {
    for (int i = 0; i < FloatFieldCount; ++i)
        if (!std::isfinite(FloatAt(bytes, FirstFloatOffset + 4 * i))) return false;
    return true;
}

bool NumbersFinite(const LocationRecord& record) {
    for (const float* field : FloatFields(record))
        if (!std::isfinite(*field)) return false;
    return true;
}

LocationRecord DecodeLocationRecord(const char* bytes) {
    LocationRecord r;
    r.DatabaseCode = RecordDatabaseCode(bytes);
    r.RegionCode = RecordRegionCode(bytes);
    r.PlaceName = RecordPlaceName(bytes);
    int offset = FirstFloatOffset;
    for (float* field : FloatFields(r)) {
        *field = FloatAt(bytes, offset);
        offset += 4;
    }
    return r;
}

bool EncodeLocationRecord(const LocationRecord& record, LocationRecordBytes& out) {
    const QByteArray name = EncodeWin1252(record.PlaceName);
    if (!FitsWin1252(record.PlaceName) || name.size() > MaxPlaceNameLength) return false;
    out.fill(0);
    PutInt32(out.data(), 0, record.DatabaseCode);
    PutInt32(out.data(), 4, record.RegionCode);
    out[NameOffset] = char(name.size());
    std::memcpy(out.data() + NameOffset + 1, name.constData(), size_t(name.size()));
    int offset = FirstFloatOffset;
    for (const float* field : FloatFields(record)) {
        PutFloat(out.data(), offset, *field);
        offset += 4;
    }
    return true;
}

bool FitsWin1252(const QString& text) {
    return DecodeWin1252(EncodeWin1252(text)) == text;
}

QString DatabaseFileName(const QString& databaseName) {
    const qsizetype dot = databaseName.lastIndexOf(u'.');
    return (dot < 0 ? databaseName : databaseName.left(dot)) + QStringLiteral(".qdb");
}
