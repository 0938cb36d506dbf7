/* Included before each of glibc's libm sources the WebAssembly build compiles:
   what glibc's internal headers give those files, in plain C for a
   little-endian target, with round to nearest as the only rounding mode.
   Exceptions flags and errno are not kept as glibc keeps them; the values are. */
#ifndef GLIBC_SHIM_H
#define GLIBC_SHIM_H
#include <errno.h>
#include <float.h>
#include <math.h>
#include <stdint.h>
#include <string.h>

#define HIGH_HALF 1
#define LOW_HALF 0
#define LITTLE_ENDI 1

#define attribute_hidden
#define __set_errno(e) (errno = (e))
#ifndef __glibc_likely
#define __glibc_likely(c) __builtin_expect((c), 1)
#define __glibc_unlikely(c) __builtin_expect((c), 0)
#endif
#ifndef __always_inline
#define __always_inline __inline __attribute__((__always_inline__))
#endif
#define strong_alias(name, alias)
#define libm_alias_finite(from, to)
#define libm_alias_double(from, to)
#define libm_alias_double_other(from, to)
#define libm_alias_float(from, to)
#define libm_alias_float_other(from, to)
#define LIBM_SVID_COMPAT 0
#define FIX_INT_FP_CONVERT_ZERO 0
#define HIGH_ORDER_BIT_IS_SET_FOR_SNAN 0
#define USE_FMAX_BUILTIN 1
#define USE_FMIN_BUILTIN 1
#define SET_RESTORE_ROUND_53BIT(mode)

/* Words of a double and of a float. */
#define EXTRACT_WORDS(hi, lo, d)    \
    do {                            \
        uint64_t w_;                \
        double d_ = (d);            \
        memcpy(&w_, &d_, 8);        \
        (hi) = (int32_t)(w_ >> 32); \
        (lo) = (uint32_t)w_;        \
    } while (0)
#define GET_HIGH_WORD(i, d)      \
    do {                         \
        int32_t l_;              \
        EXTRACT_WORDS(i, l_, d); \
        (void)l_;                \
    } while (0)
#define GET_LOW_WORD(i, d)       \
    do {                         \
        int32_t h_;              \
        EXTRACT_WORDS(h_, i, d); \
        (void)h_;                \
    } while (0)
#define INSERT_WORDS(d, hi, lo)                                          \
    do {                                                                 \
        uint64_t w_ = ((uint64_t)(uint32_t)(hi) << 32) | (uint32_t)(lo); \
        memcpy(&(d), &w_, 8);                                            \
    } while (0)
#define SET_HIGH_WORD(d, v)       \
    do {                          \
        int32_t h_, l_;           \
        EXTRACT_WORDS(h_, l_, d); \
        (void)h_;                 \
        INSERT_WORDS(d, v, l_);   \
    } while (0)
#define SET_LOW_WORD(d, v)        \
    do {                          \
        int32_t h_, l_;           \
        EXTRACT_WORDS(h_, l_, d); \
        (void)l_;                 \
        INSERT_WORDS(d, h_, v);   \
    } while (0)
#define GET_FLOAT_WORD(i, f)  \
    do {                      \
        float f_ = (f);       \
        memcpy(&(i), &f_, 4); \
    } while (0)
#define SET_FLOAT_WORD(f, i)  \
    do {                      \
        uint32_t i_ = (i);    \
        memcpy(&(f), &i_, 4); \
    } while (0)

/* Barriers: the values are what matter here, the exceptions are not kept. */
#define math_opt_barrier(x)     \
    ({                          \
        __typeof(x) x_ = (x);   \
        __asm__("" : "+m"(x_)); \
        x_;                     \
    })
#define math_force_eval(x)                    \
    do {                                      \
        __typeof(x) x_ = (x);                 \
        __asm__ __volatile__("" : : "m"(x_)); \
    } while (0)
#define math_narrow_eval(x) (x)
#define math_check_force_underflow(x) ((void)0)
#define math_check_force_underflow_nonneg(x) ((void)0)

/* glibc's internal names, kept apart from the C library's own; the public
   names (sin, cos, ...) are given on the command line. */
#define __branred glibc_branred
#define __sincostab glibc_sincostab
#define __exp_data glibc_exp_data
#define __pow_log_data glibc_pow_log_data
#define __logf_data glibc_logf_data
#define __sincosf_table glibc_sincosf_table
#define __inv_pio4 glibc_inv_pio4
#define __math_oflow glibc_math_oflow
#define __math_uflow glibc_math_uflow
#define __math_may_uflow glibc_math_may_uflow
#define __math_divzero glibc_math_divzero
#define __math_invalid glibc_math_invalid
#define __math_check_uflow glibc_math_check_uflow
#define __math_check_oflow glibc_math_check_oflow
#define __math_oflowf glibc_math_oflowf
#define __math_uflowf glibc_math_uflowf
#define __math_may_uflowf glibc_math_may_uflowf
#define __math_divzerof glibc_math_divzerof
#define __math_invalidf glibc_math_invalidf
#define __kernel_tanf glibc_kernel_tanf
#define __atanf glibc_atanf
#define __logf glibc_logf
#define __ieee754_logf glibc_logf
#define __ieee754_log10f glibc_log10f
#define __ieee754_atan2f glibc_atan2f
#define __ieee754_hypotf glibc_hypotf

int glibc_branred(double x, double* a, double* aa);
float glibc_kernel_tanf(float x, float y, int iy);
float glibc_atanf(float x);
float glibc_logf(float x);
/* Signalling NaNs are not told apart: hypotf returns x + y for them. */
#ifndef issignaling
#define issignaling(x) 0
#endif
#endif
