/*
 * A 2 x 3 affine matrix of the page and drawing code: a point (x, y) maps to
 * (x a + y c + e, x b + y d + f); the identity is {1, 0, 0, 1, 0, 0}.
 */
#ifndef QM_RENDER_PDL_WRITER_MATRIX2X3_H
#define QM_RENDER_PDL_WRITER_MATRIX2X3_H

struct Matrix2x3 {
    float a;
    float b;
    float c;
    float d;
    float e;
    float f;
};

#endif /* QM_RENDER_PDL_WRITER_MATRIX2X3_H */
