// A GL, GLU and GLUT that do nothing: the CPU side of drawing measured and checked with no graphics
// work and no recording behind the calls. Link it in place of the real libraries or the recorder.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdarg>

struct GLUquadric {};

namespace {

GLUquadric the_quadric;  // every quadric is this one: nothing is allocated
GLuint next_list = 1;

}  // namespace

extern "C" {

// ---- GL ----
void glBegin(GLenum) {}
void glEnd() {}
void glBlendFunc(GLenum, GLenum) {}
void glCallList(GLuint) {}
void glClear(GLbitfield) {}
void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) {}
void glColor3d(GLdouble, GLdouble, GLdouble) {}
void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glDisable(GLenum) {}
void glEnable(GLenum) {}
void glNewList(GLuint, GLenum) {}
void glEndList() {}
GLuint glGenLists(GLsizei range) {
  const GLuint first = next_list;
  next_list += static_cast<GLuint>(range);
  return first;
}
void glLightModelfv(GLenum, const GLfloat*) {}
void glLightfv(GLenum, GLenum, const GLfloat*) {}
void glLineWidth(GLfloat) {}
void glPointSize(GLfloat) {}
void glLoadIdentity() {}
void glMaterialf(GLenum, GLenum, GLfloat) {}
void glMaterialfv(GLenum, GLenum, const GLfloat*) {}
void glMatrixMode(GLenum) {}
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}
void glPushMatrix() {}
void glPopMatrix() {}
void glRotated(GLdouble, GLdouble, GLdouble, GLdouble) {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glTranslated(GLdouble, GLdouble, GLdouble) {}
void glVertex3d(GLdouble, GLdouble, GLdouble) {}
void glVertex3i(GLint, GLint, GLint) {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void glScissor(GLint, GLint, GLsizei, GLsizei) {}

// ---- GLU ----
GLUquadric* gluNewQuadric() { return &the_quadric; }
void gluDeleteQuadric(GLUquadric*) {}
void gluQuadricDrawStyle(GLUquadric*, GLenum) {}
void gluQuadricNormals(GLUquadric*, GLenum) {}
void gluSphere(GLUquadric*, GLdouble, GLint, GLint) {}
void gluCylinder(GLUquadric*, GLdouble, GLdouble, GLdouble, GLint, GLint) {}
void gluLookAt(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}
void gluPerspective(GLdouble, GLdouble, GLdouble, GLdouble) {}

// ---- GLUT ----
void glutInit(int*, char**) {}
void glutInitWindowSize(int, int) {}
void glutInitDisplayMode(unsigned int) {}
void glutInitWarningFunc(void (*)(const char*, va_list)) {}
void glutGameModeString(const char*) {}
int glutEnterGameMode() { return 0; }
int glutGameModeGet(GLenum) { return 0; }
int glutGetWindow() { return 0; }
int glutCreateWindow(const char*) { return 1; }
void glutFullScreen() {}
void glutSetCursor(int) {}
void glutDisplayFunc(void (*)()) {}
void glutIdleFunc(void (*)()) {}
void glutReshapeFunc(void (*)(int, int)) {}
void glutKeyboardFunc(void (*)(unsigned char, int, int)) {}
void glutMainLoop() {}
void glutSwapBuffers() {}

}  // extern "C"
