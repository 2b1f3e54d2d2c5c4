#include "camera/Camera.h"

#include "math/Matrix4.h"

#include "opengl/GlHeaders.h"

void Camera::apply() const
{
    const double centreX = position.x + direction.x;
    const double centreY = position.y + direction.y;
    const double centreZ = position.z + direction.z;
    gluLookAt(position.x, position.y, position.z, centreX, centreY, centreZ, up.x, up.y, up.z);
}

void Camera::advance(float distance)
{
    const double step = distance;
    position.x = position.x + step * direction.x;
    position.y = position.y + step * direction.y;
    position.z = position.z + step * direction.z;
}

void Camera::rotate(float yaw, float pitch)
{
    // The turn written in the camera's own frame: x along right, y along up.
    Vector3 turn(pitch, yaw, 0.0);
    const double turnAngle = turn.length();

    const Vector3 d = direction;
    const Vector3 u = up;
    const Vector3 right = d.cross(u).normalized();

    Matrix4 basis;
    basis.setIdentity();
    basis.setColumn(0, right);
    basis.setColumn(1, u);
    basis.setColumn(2, d);

    Matrix4 rotation;
    rotation.setIdentity();

    turn = turn.normalized();
    const Vector3 axis = basis.transformPoint(turn);
    rotation.setRotation(axis, turnAngle);

    direction = rotation.transformPoint(direction).normalized();
    up = rotation.transformPoint(up).normalized();
}

void Camera::examine(float distance, float yaw, float pitch)
{
    // Step onto the centre point, turn there the opposite way, step back: the
    // eye swings around the centre while the centre stays straight ahead.
    advance(distance);
    rotate(-yaw, -pitch);
    advance(-distance);
}

Camera camera;
