#include "platform/metafile/metafile_record.h"

#include <iterator>

#include <uemf.h>

namespace kv::metafile {

namespace {

// Reads a run of x, y pairs of Coordinate as points, one by one: a QPolygonF
// built from two of them is made at its size and each point written once
// (an outline may hold hundreds of thousands).
template <typename Coordinate>
class PairReader {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = QPointF;
    using difference_type = std::ptrdiff_t;
    using pointer = const QPointF*;
    using reference = QPointF;
    static constexpr std::ptrdiff_t bytes = 2 * sizeof(Coordinate);

    explicit PairReader(const char* at) : at_(at) {}
    QPointF operator*() const
    {
        return QPointF(qFromLittleEndian<Coordinate>(at_), qFromLittleEndian<Coordinate>(at_ + sizeof(Coordinate)));
    }
    PairReader& operator++()
    {
        at_ += bytes;
        return *this;
    }
    PairReader operator++(int)
    {
        const PairReader was = *this;
        at_ += bytes;
        return was;
    }
    bool operator==(const PairReader& other) const { return at_ == other.at_; }
    bool operator!=(const PairReader& other) const { return at_ != other.at_; }

private:
    const char* at_;
};

template <typename Coordinate>
QPolygonF pairsAt(const char* at, qint64 count)
{
    return QPolygonF(PairReader<Coordinate>(at), PairReader<Coordinate>(at + count * PairReader<Coordinate>::bytes));
}

} // namespace

QPolygonF pointsAt(const Record& r, qint64 at, qint64 count, Coordinates size)
{
    const qint64 bytesEach = size == Coordinates::Short ? 4 : 8;
    if (count <= 0 || !r.has(at, count * bytesEach))
        return {};
    // Read straight from the bytes checked above.
    return size == Coordinates::Short ? pairsAt<qint16>(r.data() + at, count) : pairsAt<qint32>(r.data() + at, count);
}

std::vector<double> characterAdvances(QByteArrayView bytes, qsizetype characters,
                                      const std::vector<double>& byteAdvances, int charSet)
{
    // Shift_JIS keeps 0xA1 to 0xDF for half-width katakana of one byte.
    const auto leads = [charSet](quint8 b) {
        return b >= 0x81 && !(charSet == U_SHIFTJIS_CHARSET && b >= 0xA1 && b <= 0xDF);
    };
    if (byteAdvances.size() != std::size_t(bytes.size()))
        return {};
    // Zero bytes ending the text are not drawn: their advances go with them.
    qsizetype count = bytes.size();
    while (count > 0 && bytes[count - 1] == '\0')
        --count;
    const bool doubleBytes = characters < count;
    std::vector<double> advances;
    advances.reserve(std::size_t(characters));
    for (qsizetype i = 0; i < count;) {
        const bool twoBytes = doubleBytes && leads(quint8(bytes[i])) && i + 1 < count;
        advances.push_back(byteAdvances[std::size_t(i)] + (twoBytes ? byteAdvances[std::size_t(i) + 1] : 0.0));
        i += twoBytes ? 2 : 1;
    }
    if (qsizetype(advances.size()) != characters)
        advances.clear();
    return advances;
}

} // namespace kv::metafile
