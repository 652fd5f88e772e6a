// The GLU calls the viewer makes, for the browser: the camera and the filled, smooth-shaded quadric
// sphere and cylinder, emitted through the fixed-function stand-in in GLU's vertex order so that they
// compile into display lists. Emscripten 3.1.6 has no quadrics, and its gluLookAt takes its arguments
// in the wrong order, which leaves the camera where it was.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <vector>

class GLUquadric {
 public:
  GLenum draw_style = GLU_FILL;   // only GLU_FILL is drawn
  GLenum normals = GLU_SMOOTH;    // GLU_NONE: no normals; otherwise one per vertex
};

namespace {

constexpr double PI = 3.14159265358979323846;

void cross(const double a[3], const double b[3], double out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

void normalise(double v[3]) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length > 0)
    for (int k = 0; k < 3; ++k) v[k] /= length;
}

void normal(const GLUquadric* q, double x, double y, double z) {
  if (q->normals != GLU_NONE) glNormal3f(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}

}  // namespace

extern "C" {

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble near, GLdouble far) {
  const double angle = fovy / 2.0 * PI / 180.0;
  const double depth = far - near;
  const double sine = std::sin(angle);
  if (depth == 0 || sine == 0 || aspect == 0) return;
  const double cotangent = std::cos(angle) / sine;
  GLdouble m[16] = {};
  m[0] = cotangent / aspect;
  m[5] = cotangent;
  m[10] = -(far + near) / depth;
  m[11] = -1.0;
  m[14] = -2.0 * near * far / depth;
  glMultMatrixd(m);
}

void gluLookAt(GLdouble eye_x, GLdouble eye_y, GLdouble eye_z, GLdouble centre_x, GLdouble centre_y,
               GLdouble centre_z, GLdouble up_x, GLdouble up_y, GLdouble up_z) {
  double forward[3] = {centre_x - eye_x, centre_y - eye_y, centre_z - eye_z};
  const double up[3] = {up_x, up_y, up_z};
  normalise(forward);
  double side[3], true_up[3];
  cross(forward, up, side);
  normalise(side);
  cross(side, forward, true_up);
  const GLdouble m[16] = {side[0], true_up[0], -forward[0], 0,
                          side[1], true_up[1], -forward[1], 0,
                          side[2], true_up[2], -forward[2], 0,
                          0, 0, 0, 1};
  glMultMatrixd(m);
  glTranslated(-eye_x, -eye_y, -eye_z);
}

GLUquadric* gluNewQuadric() { return new GLUquadric; }
void gluDeleteQuadric(GLUquadric* q) { delete q; }
void gluQuadricDrawStyle(GLUquadric* q, GLenum style) { q->draw_style = style; }
void gluQuadricNormals(GLUquadric* q, GLenum normals) { q->normals = normals; }

// Stacks of quad strips from z = 0 to z = height, radius going from base to top; x = r sin a,
// y = r cos a, with normals leaning by the slope of the side.
void gluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks) {
  if (q->draw_style != GLU_FILL || slices < 2 || stacks < 1) return;
  const double slope_length = std::sqrt((base - top) * (base - top) + height * height);
  if (slope_length == 0) return;
  const double normal_z = (base - top) / slope_length;
  const double normal_xy = height / slope_length;
  for (int j = 0; j < stacks; ++j) {
    const double z_low = j * height / stacks, z_high = (j + 1) * height / stacks;
    const double r_low = base - (base - top) * j / stacks;
    const double r_high = base - (base - top) * (j + 1) / stacks;
    glBegin(GL_QUAD_STRIP);
      for (int i = 0; i <= slices; ++i) {
        const double angle = 2.0 * PI * (i == slices ? 0 : i) / slices;
        const double s = std::sin(angle), c = std::cos(angle);
        normal(q, normal_xy * s, normal_xy * c, normal_z);
        glVertex3f(static_cast<GLfloat>(r_low * s), static_cast<GLfloat>(r_low * c), static_cast<GLfloat>(z_low));
        glVertex3f(static_cast<GLfloat>(r_high * s), static_cast<GLfloat>(r_high * c), static_cast<GLfloat>(z_high));
      }
    glEnd();
  }
}

// Triangle fans at the poles (+z first, then -z) and quad strips between them.
void gluSphere(GLUquadric* q, GLdouble radius, GLint slices, GLint stacks) {
  if (q->draw_style != GLU_FILL || slices < 2 || stacks < 2) return;
  std::vector<double> ring_sin(static_cast<size_t>(slices) + 1), ring_cos(ring_sin.size());
  for (int i = 0; i <= slices; ++i) {
    const double angle = 2.0 * PI * (i == slices ? 0 : i) / slices;
    ring_sin[i] = std::sin(angle);
    ring_cos[i] = std::cos(angle);
  }
  auto vertex = [&](int i, int j) {  // ring point i of latitude j, 0 at +z to stacks at -z
    const double polar = PI * j / stacks;
    const double sp = (j == 0 || j == stacks) ? 0.0 : std::sin(polar), cp = std::cos(polar);
    normal(q, ring_sin[i] * sp, ring_cos[i] * sp, cp);
    glVertex3f(static_cast<GLfloat>(radius * ring_sin[i] * sp), static_cast<GLfloat>(radius * ring_cos[i] * sp),
               static_cast<GLfloat>(radius * cp));
  };
  glBegin(GL_TRIANGLE_FAN);
    normal(q, 0, 0, 1);
    glVertex3f(0.0f, 0.0f, static_cast<GLfloat>(radius));
    for (int i = slices; i >= 0; --i) vertex(i, 1);
  glEnd();
  glBegin(GL_TRIANGLE_FAN);
    normal(q, 0, 0, -1);
    glVertex3f(0.0f, 0.0f, static_cast<GLfloat>(-radius));
    for (int i = 0; i <= slices; ++i) vertex(i, stacks - 1);
  glEnd();
  for (int j = 1; j < stacks - 1; ++j) {
    glBegin(GL_QUAD_STRIP);
      for (int i = 0; i <= slices; ++i) {
        vertex(i, j + 1);
        vertex(i, j);
      }
    glEnd();
  }
}

}  // extern "C"
