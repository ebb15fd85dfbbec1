#include "platform/metafile/metafile_record.h"

namespace kv::metafile {

QPolygonF pointsAt(const Record& r, qint64 at, qint64 count, Coordinates size)
{
    const qint64 bytesEach = size == Coordinates::Short ? 4 : 8;
    if (count <= 0 || !r.has(at, count * bytesEach))
        return {};
    // Read straight from the bytes checked above: an outline may hold
    // hundreds of thousands of points.
    QPolygonF points;
    points.resize(qsizetype(count));
    QPointF* out = points.data();
    const char* in = r.data() + at;
    if (size == Coordinates::Short) {
        for (qint64 i = 0; i < count; ++i, in += 4)
            out[i] = QPointF(qFromLittleEndian<qint16>(in), qFromLittleEndian<qint16>(in + 2));
    } else {
        for (qint64 i = 0; i < count; ++i, in += 8)
            out[i] = QPointF(qFromLittleEndian<qint32>(in), qFromLittleEndian<qint32>(in + 4));
    }
    return points;
}

std::vector<double> characterAdvances(QByteArrayView bytes, qsizetype characters,
                                      const std::vector<double>& byteAdvances)
{
    const qsizetype count = bytes.size();
    if (qsizetype(byteAdvances.size()) != count)
        return {};
    const bool doubleBytes = characters < count;
    std::vector<double> advances;
    advances.reserve(std::size_t(characters));
    for (qsizetype i = 0; i < count;) {
        const bool twoBytes = doubleBytes && quint8(bytes[i]) >= 0x81 && i + 1 < count;
        advances.push_back(byteAdvances[std::size_t(i)] + (twoBytes ? byteAdvances[std::size_t(i) + 1] : 0.0));
        i += twoBytes ? 2 : 1;
    }
    if (qsizetype(advances.size()) != characters)
        advances.clear();
    return advances;
}

} // namespace kv::metafile
