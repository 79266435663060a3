// Which planets, moons and ships the camera can see this frame. The scene
// passes draw only what is flagged visible.
#pragma once

// Recomputes the visible flag of every planet, moon and ship from the
// camera's view: only objects wholly inside it count as visible.
void refreshVisibility();
