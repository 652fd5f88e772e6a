// 4 x 4 matrices in OpenGL's column-major order, for the browser's fixed-function stand-in.
#pragma once

struct Matrix {
  double m[16];  // column-major: element (row r, column c) at m[4 * c + r]
};

struct Vec4 {
  double x, y, z, w;
};

Matrix identity_matrix();
Matrix operator*(const Matrix& a, const Matrix& b);
Vec4 operator*(const Matrix& a, const Vec4& v);

Matrix translation_matrix(double x, double y, double z);
// Rotation by angle degrees about the axis (x, y, z), which need not be of unit length.
Matrix rotation_matrix(double angle, double x, double y, double z);
Matrix ortho_matrix(double left, double right, double bottom, double top, double near, double far);

// Normals go by the inverse transpose of the upper 3 x 3 part; (x, y, z) -> the transformed normal,
// not renormalised.
void transform_normal(const Matrix& modelview, const double normal[3], double out[3]);
