#pragma once
// Whether a shot's pattern covers a clay: a square of half-width `choke` around the sight
// point, open at its edges.

namespace qm {

inline bool PatternCovers(float shotX, float shotY, int clayX, int clayY, int choke) {
  const float r = static_cast<float>(choke);
  return shotX + r > clayX && shotX - r < clayX && shotY + r > clayY && shotY - r < clayY;
}

}  // namespace qm
