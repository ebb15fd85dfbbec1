// The orientation tensor of a set of unit vectors, T = sum of v v^T, and its
// eigen-directions: the largest eigenvalue's vector is the mean axis of the
// set, the smallest one's the normal of the plane that best holds the set.
#pragma once

#include "fold/core/stereo_net.h"

#include <array>
#include <vector>

namespace kv {

using Matrix3 = std::array<std::array<double, 3>, 3>;

Matrix3 orientationTensor(const std::vector<Vector3>& directions);

struct EigenSystem {
    std::array<double, 3> values;   // ascending
    std::array<Vector3, 3> vectors; // unit vectors, vectors[i] belongs to values[i]
};

// Eigenvalues and vectors of a symmetric matrix (cyclic Jacobi rotations).
EigenSystem symmetricEigenSystem(const Matrix3& m);

} // namespace kv
