#pragma once

#include "Matrix.h"

// The matrices that GLU's gluPerspective and gluLookAt multiply onto the
// current matrix, with GLU's own arithmetic: the perspective in double
// precision, the view's axes in single precision.
namespace weblayer {

// False (and no matrix) where GLU does nothing: a zero depth range, aspect
// or field of view.
bool perspectiveMatrix(double fovy, double aspect, double zNear, double zFar, Matrix& out);

// The rotation part; the caller then translates by the negated eye.
Matrix lookAtRotation(double eyeX, double eyeY, double eyeZ, double centreX, double centreY,
                      double centreZ, double upX, double upY, double upZ);

}  // namespace weblayer
