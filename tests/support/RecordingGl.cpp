#include "RecordingGl.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <cstring>
#include <initializer_list>

namespace {

std::vector<GlCall> recorded;
bool enabled = true;
recording::Callbacks installed;

void record(const char* name, std::initializer_list<double> args = {}, const char* text = nullptr,
            const void* pointer = nullptr)
{
    if (!enabled)
        return;
    GlCall c;
    c.name = name;
    c.args.assign(args.begin(), args.end());
    if (text != nullptr)
        c.text = text;
    c.pointer = pointer;
    recorded.push_back(std::move(c));
}

}  // namespace

bool GlCall::operator==(const GlCall& other) const
{
    if (name != other.name || text != other.text || pointer != other.pointer ||
        args.size() != other.args.size())
        return false;
    // Bit-for-bit: the program's numbers must reach OpenGL exactly.
    for (std::size_t i = 0; i < args.size(); ++i)
        if (std::memcmp(&args[i], &other.args[i], sizeof(double)) != 0)
            return false;
    return true;
}

std::ostream& operator<<(std::ostream& out, const GlCall& c)
{
    out << c.name << '(';
    const auto precision = out.precision(17);
    for (std::size_t i = 0; i < c.args.size(); ++i)
        out << (i ? ", " : "") << c.args[i];
    out.precision(precision);
    if (!c.text.empty())
        out << (c.args.empty() ? "" : ", ") << '"' << c.text << '"';
    if (c.pointer != nullptr)
        out << " @" << c.pointer;
    return out << ')';
}

GlCall call(const std::string& name, std::vector<double> args)
{
    GlCall c;
    c.name = name;
    c.args = std::move(args);
    return c;
}

namespace recording {

const std::vector<GlCall>& calls()
{
    return recorded;
}
void clear()
{
    recorded.clear();
}
void setEnabled(bool on)
{
    enabled = on;
}
const Callbacks& callbacks()
{
    return installed;
}

std::vector<GlCall> callsNamed(const std::string& name)
{
    std::vector<GlCall> result;
    for (const GlCall& c : recorded)
        if (c.name == name)
            result.push_back(c);
    return result;
}

int countNamed(const std::string& name)
{
    return static_cast<int>(callsNamed(name).size());
}

}  // namespace recording

// The entry points themselves, with the signatures of the system headers.
extern "C" {

void* glutBitmap8By13 = nullptr;

void glutInit(int* argc, char** /*argv*/)
{
    record("glutInit", {double(*argc)});
}
void glutInitDisplayMode(unsigned int mode)
{
    record("glutInitDisplayMode", {double(mode)});
}
void glutInitWindowSize(int w, int h)
{
    record("glutInitWindowSize", {double(w), double(h)});
}
void glutInitWindowPosition(int x, int y)
{
    record("glutInitWindowPosition", {double(x), double(y)});
}
int glutCreateWindow(const char* title)
{
    record("glutCreateWindow", {}, title);
    return 1;
}
void glutDisplayFunc(void (*f)())
{
    installed.display = f;
    record("glutDisplayFunc", {}, nullptr, reinterpret_cast<const void*>(f));
}
void glutKeyboardFunc(void (*f)(unsigned char, int, int))
{
    installed.keyboard = f;
    record("glutKeyboardFunc", {}, nullptr, reinterpret_cast<const void*>(f));
}
void glutIdleFunc(void (*f)())
{
    installed.idle = f;
    record("glutIdleFunc", {}, nullptr, reinterpret_cast<const void*>(f));
}
void glutReshapeFunc(void (*f)(int, int))
{
    installed.reshape = f;
    record("glutReshapeFunc", {}, nullptr, reinterpret_cast<const void*>(f));
}
void glutMouseFunc(void (*f)(int, int, int, int))
{
    installed.mouse = f;
    record("glutMouseFunc", {}, nullptr, reinterpret_cast<const void*>(f));
}
void glutMotionFunc(void (*f)(int, int))
{
    installed.motion = f;
    record("glutMotionFunc", {}, nullptr, reinterpret_cast<const void*>(f));
}
void glutSpecialFunc(void (*f)(int, int, int))
{
    installed.special = f;
    record("glutSpecialFunc", {}, nullptr, reinterpret_cast<const void*>(f));
}
void glutMainLoop()
{
    record("glutMainLoop");
}
void glutPostRedisplay()
{
    record("glutPostRedisplay");
}
void glutFullScreen()
{
    record("glutFullScreen");
}
void glutReshapeWindow(int w, int h)
{
    record("glutReshapeWindow", {double(w), double(h)});
}
void glutSwapBuffers()
{
    record("glutSwapBuffers");
}
void glutSolidCube(double size)
{
    record("glutSolidCube", {size});
}
void glutSolidSphere(double r, GLint slices, GLint stacks)
{
    record("glutSolidSphere", {r, double(slices), double(stacks)});
}
void glutWireSphere(double r, GLint slices, GLint stacks)
{
    record("glutWireSphere", {r, double(slices), double(stacks)});
}
void glutBitmapCharacter(void* font, int character)
{
    record("glutBitmapCharacter", {double(character)}, nullptr, font);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    record("gluPerspective", {fovy, aspect, zNear, zFar});
}
void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz,
               GLdouble ux, GLdouble uy, GLdouble uz)
{
    record("gluLookAt", {ex, ey, ez, cx, cy, cz, ux, uy, uz});
}

void glEnable(GLenum cap)
{
    record("glEnable", {double(cap)});
}
void glMatrixMode(GLenum mode)
{
    record("glMatrixMode", {double(mode)});
}
void glLoadIdentity()
{
    record("glLoadIdentity");
}
void glPushMatrix()
{
    record("glPushMatrix");
}
void glPopMatrix()
{
    record("glPopMatrix");
}
void glClear(GLbitfield mask)
{
    record("glClear", {double(mask)});
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    record("glClearColor", {r, g, b, a});
}
void glLineWidth(GLfloat width)
{
    record("glLineWidth", {width});
}
void glLightfv(GLenum light, GLenum pname, const GLfloat* p)
{
    record("glLightfv", {double(light), double(pname), p[0], p[1], p[2], p[3]});
}
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h)
{
    record("glViewport", {double(x), double(y), double(w), double(h)});
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    record("glColor3f", {r, g, b});
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z)
{
    record("glNormal3f", {x, y, z});
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    record("glVertex3f", {x, y, z});
}
void glVertex3dv(const GLdouble* v)
{
    record("glVertex3dv", {v[0], v[1], v[2]});
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    record("glTranslatef", {x, y, z});
}
void glRasterPos4dv(const GLdouble* v)
{
    record("glRasterPos4dv", {v[0], v[1], v[2], v[3]});
}
void glBegin(GLenum mode)
{
    record("glBegin", {double(mode)});
}
void glEnd()
{
    record("glEnd");
}

}  // extern "C"
