/* x·y + z rounded once (to nearest, ties to even), for the fused multiply-adds
 * of glibc's FMA code paths: WebAssembly has no such instruction, and the C
 * library's software fma takes the product apart in 32-bit pieces, at twice
 * the cost. Here the product is split exactly (Veltkamp and Dekker), z added
 * exactly (Knuth's two-sum), and the sum of the two small parts rounded to odd
 * before the one rounding to nearest: Boldo and Melquiond's emulated FMA,
 * correct for every input while nothing underflows or overflows. Arguments
 * that could are left to the C library's fma, compiled under another name
 * (libc_software_fma, see GlibcLibm.cmake). */
#include <stdint.h>
#include <string.h>

double libc_software_fma(double x, double y, double z);

static inline int biasedExponent(double x) {
    uint64_t bits;
    memcpy(&bits, &x, sizeof bits);
    return (int)(bits >> 52 & 0x7ff);
}

/* p + e = a·b exactly (Veltkamp's split into 26-bit halves, Dekker's product). */
static inline void twoProduct(double a, double b, double* p, double* e) {
    const double split = 134217729.0; /* 2^27 + 1 */
    const double ca = split * a, ah = ca - (ca - a), al = a - ah;
    const double cb = split * b, bh = cb - (cb - b), bl = b - bh;
    *p = a * b;
    *e = ((ah * bh - *p) + ah * bl + al * bh) + al * bl;
}

/* s + t = a + b exactly (Knuth). */
static inline void twoSum(double a, double b, double* s, double* t) {
    *s = a + b;
    const double bb = *s - a;
    *t = (a - (*s - bb)) + (b - bb);
}

/* a + b rounded to odd: exact, or of the two doubles around it the one whose
 * last significand bit is 1. */
static inline double addRoundedToOdd(double a, double b) {
    double s, t;
    twoSum(a, b, &s, &t);
    uint64_t bits;
    memcpy(&bits, &s, sizeof bits);
    if (t != 0 && (bits & 1) == 0) {
        /* One step toward the exact sum: away from zero when t has s's sign. */
        bits = (t > 0) == (s > 0) ? bits + 1 : bits - 1;
        memcpy(&s, &bits, sizeof s);
    }
    return s;
}

double fma(double x, double y, double z) {
    /* |x|, |y| in [2^-400, 2^401) and z zero or in [2^-800, 2^801): the product
     * and its error, every partial sum and a nonzero result stay normal. */
    const int ex = biasedExponent(x) - 1023, ey = biasedExponent(y) - 1023;
    const int ez = biasedExponent(z) - 1023;
    if (ex < -400 || ex > 400 || ey < -400 || ey > 400 || (z != 0 && (ez < -800 || ez > 800)))
        return libc_software_fma(x, y, z);
    double ph, pl, th, tl;
    twoProduct(x, y, &ph, &pl);
    twoSum(z, ph, &th, &tl);
    return th + addRoundedToOdd(tl, pl);
}
