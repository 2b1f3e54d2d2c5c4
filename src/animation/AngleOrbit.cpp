#include "animation/AngleOrbit.h"

#include <cmath>

namespace {

// Closer to the pole than this (about 0.06 degrees) the direction's part
// across the world's up no longer survives the float arithmetic of a view
// matrix built with that up for an eye tens of units out, so no view is
// built from it.
constexpr double poleCosine = 1e-3;
// A picture's up shorter than this is no up at all.
constexpr double shortestUp = 1e-3;

// `v` less its part along `axis`.
Vector3 withoutPartAlong(const Vector3& v, const Vector3& axis)
{
    const double squared = axis.dot(axis);
    const double along = squared > 0.0 ? v.dot(axis) / squared : 0.0;
    return {v.x - along * axis.x, v.y - along * axis.y, v.z - along * axis.z};
}

// (c, s) scaled to unit length; (1, 0) when it has none.
void makeUnit(double& c, double& s)
{
    const double length = std::sqrt(c * c + s * s);
    if (length == 0.0) {
        c = 1.0;
        s = 0.0;
        return;
    }
    c /= length;
    s /= length;
}

// The pair of an angle turned on by `angle`.
void turnPair(double& c, double& s, double angle)
{
    const double cosTurn = std::cos(angle);
    const double sinTurn = std::sin(angle);
    const double turnedCos = c * cosTurn - s * sinTurn;
    const double turnedSin = s * cosTurn + c * sinTurn;
    c = turnedCos;
    s = turnedSin;
    makeUnit(c, s);
}

}  // namespace

AngleOrbit::AngleOrbit(const Camera& pose, float distance)
{
    const double ahead = distance;
    const Vector3& p = pose.position;
    const Vector3& d = pose.direction;
    centre = Vector3(p.x + ahead * d.x, p.y + ahead * d.y, p.z + ahead * d.z);

    // From the point out to the eye.
    const Vector3 out = Vector3(-d.x, -d.y, -d.z).normalized();
    const double across = std::sqrt(out.x * out.x + out.z * out.z);
    cosElevation = across;
    sinElevation = out.y;
    makeUnit(cosElevation, sinElevation);
    if (across > 0.0) {
        sinAzimuth = out.x / across;
        cosAzimuth = out.z / across;
    } else {
        // Straight over or under the point: the azimuth is the one the
        // camera's up leans away from, as it came there from this side.
        const double side = sinElevation < 0.0 ? 1.0 : -1.0;
        sinAzimuth = side * pose.up.x;
        cosAzimuth = side * pose.up.z;
        makeUnit(cosAzimuth, sinAzimuth);
    }
}

void AngleOrbit::turn(float yaw, float pitch)
{
    turnPair(cosAzimuth, sinAzimuth, yaw);
    turnPair(cosElevation, sinElevation, -static_cast<double>(pitch));
}

void AngleOrbit::place(Camera& camera, float distance) const
{
    const Vector3 out(cosElevation * sinAzimuth, sinElevation, cosElevation * cosAzimuth);
    const double radius = distance;
    const Vector3 before = camera.direction;
    const Vector3 upBefore = camera.up;

    camera.position =
        Vector3(centre.x + radius * out.x, centre.y + radius * out.y, centre.z + radius * out.z);
    camera.direction = Vector3(-out.x, -out.y, -out.z).normalized();
    if (std::fabs(cosElevation) >= poleCosine) {
        camera.up = Vector3(0.0, 1.0, 0.0);
        return;
    }
    // The picture's up in the view before (its up less the part along its
    // direction), less its part along the new direction: the up the view had
    // coming to the pole from its side.
    const Vector3 pictureUp = withoutPartAlong(upBefore, before);
    const Vector3 up = withoutPartAlong(pictureUp, camera.direction);
    if (pictureUp.length() >= shortestUp && up.length() >= shortestUp) {
        camera.up = up.normalized();
        return;
    }
    // A view that had no up of its own: the one this side of the pole gives.
    camera.up = Vector3(-sinElevation * sinAzimuth, 0.0, -sinElevation * cosAzimuth).normalized();
}
