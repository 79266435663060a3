// The view frustum: six inward-facing planes built from the camera pose, and
// a sphere test that culls planets, moons and ships and gates the lens flare.
#pragma once

#include <array>

#include <glm/glm.hpp>

enum class FrustumResult : int { Outside = 0, Intersect = 1, Inside = 2 };

struct FrustumPlane {
    glm::vec3 normal{0.0f}; // unit, pointing into the frustum
    glm::vec3 point{0.0f};
    float d = 0.0f; // -normal . point

    // The plane through a, b and c; its normal is (c - b) x (a - b).
    void setFromPoints(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c);
    // Positive on the inner side.
    float signedDistance(const glm::vec3& p) const;
};

class ViewFrustum {
  public:
    // Indices into planes.
    enum PlaneId { Top, Bottom, Left, Right, Near, Far };

    // The full vertical field of view in degrees and the distances of the
    // near and far planes; the width comes from camera().aspectRatio.
    void setProjection(float angle, float nearDist, float farDist);
    // Places the frustum; must follow setProjection.
    void setPose(const glm::vec3& eye, const glm::vec3& target, const glm::vec3& up);

    // Outside as soon as one plane has the whole sphere behind it; Inside
    // only when the sphere lies wholly on the inner side of all six.
    FrustumResult classifySphere(const glm::vec3& centre, float radius) const;

    std::array<FrustumPlane, 6> planes;
    glm::vec3 nearTopLeft{0.0f}, nearTopRight{0.0f}, nearBottomLeft{0.0f}, nearBottomRight{0.0f};
    glm::vec3 farTopLeft{0.0f}, farTopRight{0.0f}, farBottomLeft{0.0f}, farBottomRight{0.0f};
    float nearDist = 0.0f;
    float farDist = 0.0f;
    float ratio = 0.0f;
    float angle = 0.0f;
    float tanHalfAngle = 0.0f;
    float nearWidth = 0.0f; // half extents of the near rectangle
    float nearHeight = 0.0f;
    float farWidth = 0.0f;
    float farHeight = 0.0f;
};
