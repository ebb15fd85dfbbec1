// Reading a metafile's records, alike for WMF and EMF: one record's bytes
// and its fields read inside them, the walk from record to record, points,
// and the advances of a text's characters.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QPolygonF>
#include <QtEndian>

#include <cstring>
#include <optional>
#include <vector>

namespace kv::metafile {

// One record's bytes. Every field is read inside them: a field past the end
// reads as zero and marks the record short. The walk has checked the record
// against the smallest size of its type before it is played, so the fixed
// fields are there; a player checks has() or whole() for what the record
// counts or points to itself (strings, arrays, bitmaps).
class Record {
public:
    Record(const char* data, qint64 size) : data_(data), size_(size) {}
    qint64 size() const { return size_; }
    const char* data() const { return data_; }
    bool has(qint64 at, qint64 count) const { return at >= 0 && count >= 0 && at <= size_ && count <= size_ - at; }
    // Whether every field read so far lay inside the record.
    bool whole() const { return !short_; }

    template <typename T>
    T get(qint64 at) const
    {
        if (!has(at, qint64(sizeof(T)))) {
            short_ = true;
            return T();
        }
        return qFromLittleEndian<T>(data_ + at);
    }
    quint16 u16(qint64 at) const { return get<quint16>(at); }
    qint16 s16(qint64 at) const { return get<qint16>(at); }
    quint32 u32(qint64 at) const { return get<quint32>(at); }
    qint32 s32(qint64 at) const { return get<qint32>(at); }
    float f32(qint64 at) const
    {
        const quint32 bits = u32(at);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    // count bytes from at; empty (and the record short) when they are not all there.
    QByteArrayView bytes(qint64 at, qint64 count) const
    {
        if (!has(at, count)) {
            short_ = true;
            return {};
        }
        return QByteArrayView(data_ + at, qsizetype(count));
    }

private:
    const char* data_;
    qint64 size_;
    mutable bool short_ = false;
};

// What a record's header says: its size in bytes and its type.
struct RecordHead {
    qint64 size = 0;
    quint32 type = 0;
};

// Calls play(record, type) for each record from byte first up to the record
// of type last, in order, and stops early when play returns false. headOf
// reads a record's header (its first headerBytes bytes, and where it lies in
// the file); none when the header itself is damaged. True when every record
// up to the last lies inside the file, each at least its header long; false
// when one does not, or the bytes end before the last record.
template <typename HeadOf, typename Play>
bool walkRecords(const QByteArray& bytes, qint64 first, qint64 headerBytes, quint32 last, HeadOf headOf, Play play)
{
    for (qint64 at = first; at >= 0 && bytes.size() - at >= headerBytes;) {
        const std::optional<RecordHead> head = headOf(Record(bytes.constData() + at, headerBytes), at);
        if (!head || head->size < headerBytes || head->size > bytes.size() - at)
            return false;
        if (head->type == last)
            return true;
        if (!play(Record(bytes.constData() + at, head->size), head->type))
            return true;
        at += head->size;
    }
    return false;
}

// The size of a point's coordinates: 16-bit (WMF, EMF's ...16 records) or 32-bit.
enum class Coordinates { Short, Long };

// count points from at, each an x, y pair of signed numbers; empty when
// count is not positive or they are not all inside the record.
QPolygonF pointsAt(const Record& r, qint64 at, qint64 count, Coordinates size);

// The advance of each character of text decoded from bytes (characters of
// them), from the advance of each byte: in text that decoded to fewer
// characters than bytes, a byte of 0x81 or more (in Shift_JIS, not 0xA1 to
// 0xDF) leads a double-byte character of the font's character set (charSet),
// which moves by its two bytes' advances together. Zero bytes ending the text
// are not drawn and have no advance. Empty when byteAdvances is not one a
// byte, or the advances do not come out one a character.
std::vector<double> characterAdvances(QByteArrayView bytes, qsizetype characters,
                                      const std::vector<double>& byteAdvances, int charSet);

} // namespace kv::metafile
