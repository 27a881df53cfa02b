#pragma once
// The few matrix, vector and quaternion operations the sprites need, in the row-vector
// convention of the fixed-function pipeline: a point is a row vector multiplied on the left
// (p' = p · M), so in A · B the transformation A acts first.

// A pair of floats: a position, a size, a velocity or a scroll in pixels.
struct D3DXVECTOR2 {
  float x, y;
};

struct D3DXVECTOR3 {
  float x, y, z;
};

struct D3DXQUATERNION {
  float x, y, z, w;
};

struct D3DXMATRIX {
  float m[4][4];
};

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
// Rotation about X: (y, z) → (y cos θ − z sin θ, y sin θ + z cos θ).
D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle);
// Rotation about Y: (x, z) → (x cos θ + z sin θ, −x sin θ + z cos θ).
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
// Rotation about Z: (x, y) → (x cos θ − y sin θ, x sin θ + y cos θ).
D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
// out = a · b (a acts first on a row vector). out may be a or b.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
// The rotation matrix of a unit quaternion.
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q);

// The rotation by angle about axis (normalised first; a zero axis gives no turn).
D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* out, const D3DXVECTOR3* axis, float angle);

// Unit vector along v; the zero vector stays zero.
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
// Transforms the point (x, y, z, 1) by m and projects back by w.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
