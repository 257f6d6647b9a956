#include "strain.hpp"

#include <Eigen/LU>

namespace tkx {

Eigen::Matrix3d strain_tensor(const Eigen::Matrix3d& reference, const Eigen::Matrix3d& current,
                              const StrainSettings& settings) {
  const Eigen::Matrix3d f = current * reference.inverse();
  const Eigen::Matrix3d identity = Eigen::Matrix3d::Identity();
  const Eigen::Matrix3d e = settings.kind == StrainKind::Eulerian
                                ? Eigen::Matrix3d(identity - f.inverse())
                                : Eigen::Matrix3d(f - identity);
  Eigen::Matrix3d symmetric = e + e.transpose();
  if (settings.finite) symmetric += e * e.transpose();
  return 0.5 * symmetric;
}

}  // namespace tkx
