#include "display/Window.h"

#include "animation/Demonstrations.h"
#include "animation/FrameHistory.h"
#include "animation/HandControl.h"
#include "animation/Keyboard.h"
#include "animation/Pace.h"
#include "animation/Trail.h"
#include "camera/Camera.h"
#include "display/HandInput.h"
#include "display/Overlays.h"
#include "display/Scene.h"

#include "opengl/GlHeaders.h"

int windowWidth = firstWindowWidth;
int windowHeight = firstWindowHeight;

namespace {

constexpr double fieldOfView = 45.0;
constexpr double nearPlane = 1.0;
constexpr double farPlane = 100.0;
constexpr int dividerWidth = 10;
constexpr int margin = 5;

// The window's size before it filled the screen, given back when it leaves.
// Only F11 changes the flag, as only GLUT's own calls change GLUT's record of
// full screen: a window manager that ends it alone leaves both as they were.
bool fullScreen = false;
int windowedWidth = firstWindowWidth;
int windowedHeight = firstWindowHeight;

void setProjection(double aspect)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, aspect, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
}

void setLight()
{
    const GLfloat ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat diffuse[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    // Directional (w = 0), and given under the identity modelview matrix:
    // the light stays fixed in eye space in every view, whatever the camera does.
    const GLfloat position[4] = {10.0f, 10.0f, 10.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
}

void drawDivider()
{
    gluLookAt(0.0, 0.0, 10.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    // Far larger than the strip's view, so the whole strip is black.
    glVertex3f(-1000.0f, -1000.0f, 0.0f);
    glVertex3f(1000.0f, -1000.0f, 0.0f);
    glVertex3f(1000.0f, 1000.0f, 0.0f);
    glVertex3f(-1000.0f, 1000.0f, 0.0f);
    glEnd();
}

// Sets the viewport and an identity modelview matrix; false when the window
// is too small for the view to have any pixels, so that nothing is drawn
// with an invalid viewport.
bool beginView(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    glViewport(x, y, width, height);
    glLoadIdentity();
    return true;
}

}  // namespace

void startUp(int* argc, char** argv)
{
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(firstWindowWidth, firstWindowHeight);
    glutInitWindowPosition(100, 100);
    glutCreateWindow("foo!");
    windowWidth = firstWindowWidth;
    windowHeight = firstWindowHeight;

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    setProjection(1.0);
    glClearColor(0.2f, 0.2f, 0.7f, 1.0f);
    glLineWidth(2.0f);
    setLight();
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);

    glutDisplayFunc(display);
    glutKeyboardFunc(keyboard);
    glutIdleFunc(idle);
    glutReshapeFunc(reshape);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
    glutSpecialFunc(special);
}

void restartProgram()
{
    restartDemonstrations();
    clearTrail();
    clearFrameHistory();
    resetPace();
    resetHandDistance();
    restartHandTurning();
    releaseHand();
    hideOverlays();
}

void display()
{
    const int half = windowWidth / 2;
    const int height = windowHeight;
    const int viewWidth = half - 2 * margin;
    const int viewHeight = height - margin;

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    if (beginView(half - dividerWidth / 2, 0, dividerWidth, height))
        drawDivider();

    if (beginView(margin, margin, viewWidth, viewHeight)) {
        camera.apply();
        drawAxes();
        drawScene();
    }

    if (beginView(half + margin, margin, viewWidth, viewHeight)) {
        gluLookAt(20.0, 20.0, 20.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        drawAxes();
        drawScene();
        drawCaption(caption);
        if (showCameraFrame)
            drawCameraFrame(viewWidth, viewHeight);
        if (showControls)
            drawControls(viewWidth, viewHeight);
    }

    glutSwapBuffers();
}

void toggleFullScreen()
{
    if (!fullScreen) {
        // A minimised window has no size worth coming back to.
        if (windowWidth > 0 && windowHeight > 0) {
            windowedWidth = windowWidth;
            windowedHeight = windowHeight;
        }
        glutFullScreen();
    } else {
        glutReshapeWindow(windowedWidth, windowedHeight);
    }
    fullScreen = !fullScreen;
}

void reshape(int width, int height)
{
    // A zero-sized (minimised) window has no aspect: keep the projection
    // there is, and let the frame skip the views that have no pixels.
    if (width > 0 && height > 0) {
        // 2.0 * height equals the integer product 2 * height exactly, and
        // cannot overflow.
        setProjection(width / (2.0 * height));
        glViewport(0, 0, width, height);
    }
    windowWidth = width;
    windowHeight = height;
}
