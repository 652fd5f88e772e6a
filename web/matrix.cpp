// 4 x 4 matrix arithmetic for the browser's fixed-function stand-in.
#include "web/matrix.h"

#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

}  // namespace

Matrix identity_matrix() { return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

Matrix operator*(const Matrix& a, const Matrix& b) {
  Matrix product{};
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += a.m[4 * k + r] * b.m[4 * c + k];
      product.m[4 * c + r] = sum;
    }
  return product;
}

Vec4 operator*(const Matrix& a, const Vec4& v) {
  const double in[4] = {v.x, v.y, v.z, v.w};
  double out[4];
  for (int r = 0; r < 4; ++r)
    out[r] = a.m[r] * in[0] + a.m[4 + r] * in[1] + a.m[8 + r] * in[2] + a.m[12 + r] * in[3];
  return {out[0], out[1], out[2], out[3]};
}

Matrix translation_matrix(double x, double y, double z) {
  Matrix t = identity_matrix();
  t.m[12] = x;
  t.m[13] = y;
  t.m[14] = z;
  return t;
}

Matrix rotation_matrix(double angle, double x, double y, double z) {
  const double length = std::sqrt(x * x + y * y + z * z);
  if (length == 0.0) return identity_matrix();
  x /= length;
  y /= length;
  z /= length;
  const double c = std::cos(angle * PI / 180.0);
  const double s = std::sin(angle * PI / 180.0);
  const double d = 1.0 - c;
  return Matrix{{x * x * d + c, y * x * d + z * s, x * z * d - y * s, 0,
                 x * y * d - z * s, y * y * d + c, y * z * d + x * s, 0,
                 x * z * d + y * s, y * z * d - x * s, z * z * d + c, 0,
                 0, 0, 0, 1}};
}

Matrix ortho_matrix(double left, double right, double bottom, double top, double near, double far) {
  Matrix o = identity_matrix();
  o.m[0] = 2.0 / (right - left);
  o.m[5] = 2.0 / (top - bottom);
  o.m[10] = -2.0 / (far - near);
  o.m[12] = -(right + left) / (right - left);
  o.m[13] = -(top + bottom) / (top - bottom);
  o.m[14] = -(far + near) / (far - near);
  return o;
}

void transform_normal(const Matrix& modelview, const double normal[3], double out[3]) {
  // Inverse transpose of the 3 x 3 part a: its cofactor matrix over the determinant.
  auto a = [&](int r, int c) { return modelview.m[4 * c + r]; };
  double cofactor[3][3];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
      cofactor[r][c] = a(r1, c1) * a(r2, c2) - a(r1, c2) * a(r2, c1);
    }
  const double determinant = a(0, 0) * cofactor[0][0] + a(0, 1) * cofactor[0][1] + a(0, 2) * cofactor[0][2];
  for (int r = 0; r < 3; ++r)
    out[r] = (cofactor[r][0] * normal[0] + cofactor[r][1] * normal[1] + cofactor[r][2] * normal[2]) /
             determinant;
}
