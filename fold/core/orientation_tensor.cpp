#include "fold/core/orientation_tensor.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

std::array<double, 3> components(const Vector3& v) { return {v.x, v.y, v.z}; }

// Jacobi converges quadratically: a few sweeps reach rounding; the limit only
// guards against a matrix of NaNs.
constexpr int kMaxSweeps = 50;

} // namespace

Matrix3 orientationTensor(const std::vector<Vector3>& directions)
{
    Matrix3 t{};
    for (const Vector3& d : directions) {
        const std::array<double, 3> v = components(d);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                t[i][j] += v[i] * v[j];
    }
    return t;
}

EigenSystem symmetricEigenSystem(const Matrix3& m)
{
    Matrix3 a = m;
    Matrix3 v{};
    for (int i = 0; i < 3; ++i)
        v[i][i] = 1;

    for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
        const double off = a[0][1] * a[0][1] + a[0][2] * a[0][2] + a[1][2] * a[1][2];
        const double scale = a[0][0] * a[0][0] + a[1][1] * a[1][1] + a[2][2] * a[2][2];
        if (!(off > 1e-30 * scale) || off == 0)
            break;
        for (int p = 0; p < 2; ++p) {
            for (int q = p + 1; q < 3; ++q) {
                if (a[p][q] == 0)
                    continue;
                // The rotation that zeroes a[p][q].
                const double theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
                const double t = (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
                const double c = 1 / std::sqrt(t * t + 1);
                const double s = t * c;
                for (int k = 0; k < 3; ++k) { // columns p and q
                    const double akp = a[k][p];
                    const double akq = a[k][q];
                    a[k][p] = c * akp - s * akq;
                    a[k][q] = s * akp + c * akq;
                }
                for (int k = 0; k < 3; ++k) { // rows p and q
                    const double apk = a[p][k];
                    const double aqk = a[q][k];
                    a[p][k] = c * apk - s * aqk;
                    a[q][k] = s * apk + c * aqk;
                }
                for (int k = 0; k < 3; ++k) {
                    const double vkp = v[k][p];
                    const double vkq = v[k][q];
                    v[k][p] = c * vkp - s * vkq;
                    v[k][q] = s * vkp + c * vkq;
                }
            }
        }
    }

    std::array<int, 3> order{0, 1, 2};
    std::sort(order.begin(), order.end(), [&](int i, int j) { return a[i][i] < a[j][j]; });
    EigenSystem out;
    for (int k = 0; k < 3; ++k) {
        const int i = order[k];
        out.values[k] = a[i][i];
        out.vectors[k] = {v[0][i], v[1][i], v[2][i]};
    }
    return out;
}

} // namespace kv
