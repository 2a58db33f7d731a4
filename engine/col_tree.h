// TColTree: a mesh's link to the collision tree built from its surfaces. The
// mesh only raises reset_col_tree when its geometry changes; the collision
// world rebuilds the tree when it finds the flag set and clears it.
#pragma once

#include "core/object.h"

class TColTree : public Object {
 public:
  int reset_col_tree = 1;
};
