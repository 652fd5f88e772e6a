// The recording stand-in: GL, GLU and GLUT entry points that record instead of drawing.
#include "tests/support/gl_recorder.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdarg>

struct GLUquadric {
  int draw_style = GLU_FILL;
  int normals = GLU_SMOOTH;
};

namespace glrec {

Recorder& recorder() {
  static Recorder instance;
  return instance;
}

void Recorder::reset() {
  const bool calls_on = record_calls, primitives_on = record_primitives, game_mode = game_mode_works;
  const int frames = main_loop_frames;
  const int quadrics = live_quadrics;
  const Desktop desk = desktop;
  *this = Recorder{};
  desktop = desk;
  record_calls = calls_on;
  record_primitives = primitives_on;
  game_mode_works = game_mode;
  main_loop_frames = frames;
  live_quadrics = quadrics;  // quadrics outlive a reset; their owner frees them
}

void Recorder::clear_log() {
  calls.clear();
  primitives.clear();
  errors.clear();
  counts.clear();
  count_slots.clear();
}

long Recorder::count(std::string_view name) const {
  auto it = counts.find(std::string(name));
  return it == counts.end() ? 0 : it->second;
}

std::vector<Call> Recorder::calls_named(std::string_view name) const {
  std::vector<Call> out;
  for (const Call& c : calls)
    if (c.is(name)) out.push_back(c);
  return out;
}

int Recorder::find(std::string_view name, int from) const {
  for (int i = std::max(from, 0); i < static_cast<int>(calls.size()); ++i)
    if (calls[static_cast<std::size_t>(i)].is(name)) return i;
  return -1;
}

std::vector<const Primitive*> Recorder::primitives_of(GLenum mode) const {
  std::vector<const Primitive*> out;
  for (const Primitive& p : primitives)
    if (p.mode == mode) out.push_back(&p);
  return out;
}

void Recorder::record(const char* name, std::initializer_list<double> args) {
  long*& slot = count_slots[name];
  if (slot == nullptr) slot = &counts[name];
  ++*slot;
  if (!record_calls) return;
  Call call{name, {}, static_cast<int>(args.size())};
  std::copy_n(args.begin(), std::min<std::size_t>(args.size(), call.args.size()), call.args.begin());
  calls.push_back(call);
}

}  // namespace glrec

using glrec::recorder;

namespace {

// The recorder, with the call recorded; compiling with GL_COMPILE alone executes nothing.
glrec::Recorder& rec(const char* name, std::initializer_list<double> args = {}) {
  glrec::Recorder& r = recorder();
  r.record(name, args);
  return r;
}

int& depth(glrec::Recorder& r) {
  return r.matrix_mode == GL_PROJECTION ? r.projection_depth : r.modelview_depth;
}

void vertex(double x, double y, double z) {
  glrec::Recorder& r = recorder();
  if (!r.in_begin) r.errors.push_back("glVertex outside glBegin/glEnd");
  if (r.record_primitives && !r.primitives.empty()) r.primitives.back().vertices.push_back({x, y, z, r.colour});
}

}  // namespace

extern "C" {

// ---- GL ----
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  rec("glClearColor", {r, g, b, a}).clear_colour = {r, g, b, a};
}
void glClear(GLbitfield mask) { rec("glClear", {static_cast<double>(mask)}); }
void glEnable(GLenum cap) { rec("glEnable", {static_cast<double>(cap)}).enabled.insert(cap); }
void glDisable(GLenum cap) { rec("glDisable", {static_cast<double>(cap)}).enabled.erase(cap); }
void glBlendFunc(GLenum s, GLenum d) { rec("glBlendFunc", {double(s), double(d)}); }
void glLightModelfv(GLenum p, const GLfloat* v) { rec("glLightModelfv", {double(p), v[0], v[1], v[2], v[3]}); }
void glLightfv(GLenum light, GLenum p, const GLfloat* v) {
  const int n = p == GL_SPOT_DIRECTION ? 3 : 4;
  glrec::Recorder& r = rec("glLightfv", {double(light), double(p), v[0], v[1], v[2], n == 4 ? v[3] : 0.0});
  if (r.record_calls) r.calls.back().argc = 2 + n;
}
void glMaterialfv(GLenum face, GLenum p, const GLfloat* v) {
  rec("glMaterialfv", {double(face), double(p), v[0], v[1], v[2], v[3]});
}
void glMaterialf(GLenum face, GLenum p, GLfloat v) { rec("glMaterialf", {double(face), double(p), v}); }

void glMatrixMode(GLenum mode) { rec("glMatrixMode", {double(mode)}).matrix_mode = mode; }
void glLoadIdentity() { rec("glLoadIdentity"); }
void glPushMatrix() {
  glrec::Recorder& r = rec("glPushMatrix");
  if (++depth(r) > (r.matrix_mode == GL_PROJECTION ? 2 : 32)) r.errors.push_back("matrix stack overflow");
}
void glPopMatrix() {
  glrec::Recorder& r = rec("glPopMatrix");
  if (--depth(r) < 1) {
    r.errors.push_back("matrix stack underflow");
    depth(r) = 1;
  }
}
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { rec("glRotatef", {a, x, y, z}); }
void glRotated(GLdouble a, GLdouble x, GLdouble y, GLdouble z) { rec("glRotated", {a, x, y, z}); }
void glTranslated(GLdouble x, GLdouble y, GLdouble z) { rec("glTranslated", {x, y, z}); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { rec("glTranslatef", {x, y, z}); }
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) { rec("glViewport", {double(x), double(y), double(w), double(h)}); }
void glScissor(GLint x, GLint y, GLsizei w, GLsizei h) { rec("glScissor", {double(x), double(y), double(w), double(h)}); }
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
  rec("glOrtho", {l, r, b, t, n, f});
}

void glBegin(GLenum mode) {
  glrec::Recorder& r = rec("glBegin", {double(mode)});
  if (r.in_begin) r.errors.push_back("nested glBegin");
  r.in_begin = true;
  if (r.record_primitives) {
    glrec::Primitive p;
    p.mode = mode;
    p.colour_at_begin = r.colour;
    p.line_width = r.line_width;
    p.point_size = r.point_size;
    p.modelview_depth = r.modelview_depth;
    p.in_display_list = r.compiling_list != 0;
    r.primitives.push_back(std::move(p));
  }
}
void glEnd() {
  glrec::Recorder& r = rec("glEnd");
  if (!r.in_begin) r.errors.push_back("glEnd without glBegin");
  r.in_begin = false;
}
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) { rec("glVertex3d", {x, y, z}); vertex(x, y, z); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { rec("glVertex3f", {x, y, z}); vertex(x, y, z); }
void glVertex3i(GLint x, GLint y, GLint z) { rec("glVertex3i", {double(x), double(y), double(z)}); vertex(x, y, z); }
void glColor3d(GLdouble r, GLdouble g, GLdouble b) { rec("glColor3d", {r, g, b}).colour = {r, g, b, 1.0}; }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { rec("glColor3f", {r, g, b}).colour = {r, g, b, 1.0}; }
void glLineWidth(GLfloat w) { rec("glLineWidth", {w}).line_width = w; }
void glPointSize(GLfloat s) { rec("glPointSize", {s}).point_size = s; }

GLuint glGenLists(GLsizei range) {
  glrec::Recorder& r = rec("glGenLists", {double(range)});
  const GLuint first = r.next_list;
  r.next_list += static_cast<GLuint>(range);
  return first;
}
void glNewList(GLuint list, GLenum mode) {
  glrec::Recorder& r = rec("glNewList", {double(list), double(mode)});
  if (r.compiling_list != 0) r.errors.push_back("nested glNewList");
  if (list == 0 || list >= r.next_list) r.errors.push_back("glNewList of a name never generated");
  r.compiling_list = list;
}
void glEndList() {
  glrec::Recorder& r = rec("glEndList");
  if (r.compiling_list == 0) r.errors.push_back("glEndList without glNewList");
  r.lists_defined.insert(r.compiling_list);
  r.compiling_list = 0;
}
void glCallList(GLuint list) {
  glrec::Recorder& r = rec("glCallList", {double(list)});
  if (r.lists_defined.count(list) == 0) r.errors.push_back("glCallList of an undefined list");
}
void glDeleteLists(GLuint list, GLsizei range) { rec("glDeleteLists", {double(list), double(range)}); }
void glFlush() { rec("glFlush"); }
void glFinish() { rec("glFinish"); }

// ---- GLU ----
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble n, GLdouble f) {
  rec("gluPerspective", {fovy, aspect, n, f});
}
void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
               GLdouble uy, GLdouble uz) {
  rec("gluLookAt", {ex, ey, ez, cx, cy, cz, ux, uy, uz});
}
GLUquadric* gluNewQuadric() {
  ++rec("gluNewQuadric").live_quadrics;
  return new GLUquadric;
}
void gluDeleteQuadric(GLUquadric* q) {
  --rec("gluDeleteQuadric").live_quadrics;
  delete q;
}
void gluQuadricDrawStyle(GLUquadric* q, GLenum style) {
  rec("gluQuadricDrawStyle", {double(style)});
  q->draw_style = static_cast<int>(style);
}
void gluQuadricNormals(GLUquadric* q, GLenum normals) {
  rec("gluQuadricNormals", {double(normals)});
  q->normals = static_cast<int>(normals);
}
void gluSphere(GLUquadric*, GLdouble radius, GLint slices, GLint stacks) {
  rec("gluSphere", {radius, double(slices), double(stacks)});
}
void gluCylinder(GLUquadric*, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks) {
  rec("gluCylinder", {base, top, height, double(slices), double(stacks)});
}

// ---- GLUT ----
void glutInit(int* argc, char**) { rec("glutInit", {double(*argc)}); }
void glutInitWindowSize(int w, int h) { rec("glutInitWindowSize", {double(w), double(h)}); }
void glutInitWindowPosition(int x, int y) { rec("glutInitWindowPosition", {double(x), double(y)}); }
void glutInitDisplayMode(unsigned int mode) { rec("glutInitDisplayMode", {double(mode)}); }
void glutGameModeString(const char* s) { rec("glutGameModeString").game_mode_string = s; }
void glutInitWarningFunc(void (*f)(const char*, va_list)) { rec("glutInitWarningFunc").warning_func = f; }
int glutEnterGameMode() {
  glrec::Recorder& r = rec("glutEnterGameMode");
  if (!r.game_mode_works) {
    if (r.warning_func) {
      va_list none{};
      r.warning_func("failed to change screen settings", none);
    }
    return 0;
  }
  r.game_mode_active = true;
  r.window = 1;
  return r.window;
}
void glutLeaveGameMode() { rec("glutLeaveGameMode").game_mode_active = false; }
int glutGameModeGet(GLenum query) {
  glrec::Recorder& r = rec("glutGameModeGet", {double(query)});
  switch (query) {
    case GLUT_GAME_MODE_ACTIVE: return r.game_mode_active;
    case GLUT_GAME_MODE_WIDTH: return r.game_mode_active ? r.game_mode_width : -1;
    case GLUT_GAME_MODE_HEIGHT: return r.game_mode_active ? r.game_mode_height : -1;
    default: return 0;
  }
}
int glutGetWindow() { return rec("glutGetWindow").window; }
int glutCreateWindow(const char*) { return rec("glutCreateWindow").window = 2; }
void glutFullScreen() { rec("glutFullScreen"); }
void glutSetCursor(int cursor) { rec("glutSetCursor", {double(cursor)}).cursor = cursor; }
void glutIdleFunc(void (*f)()) { rec("glutIdleFunc").idle_func = f; }
void glutDisplayFunc(void (*f)()) { rec("glutDisplayFunc").display_func = f; }
void glutReshapeFunc(void (*f)(int, int)) { rec("glutReshapeFunc").reshape_func = f; }
void glutKeyboardFunc(void (*f)(unsigned char, int, int)) { rec("glutKeyboardFunc").keyboard_func = f; }
void glutMainLoop() {
  glrec::Recorder& r = rec("glutMainLoop");
  for (int i = 0; i < r.main_loop_frames && r.idle_func; ++i) r.idle_func();
}
void glutSwapBuffers() { rec("glutSwapBuffers"); }
void glutPostRedisplay() { rec("glutPostRedisplay"); }

}  // extern "C"

// ---- the desktop (app/desktop.h) ----
Desktop look_at_desktop() { return rec("look_at_desktop").desktop; }
void settle_window(const Desktop&, int monitor) { rec("settle_window", {double(monitor)}).settled_monitor = monitor; }
