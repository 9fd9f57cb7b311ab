// Stands for MSVC's <math.h>: Wine's has no long double functions, which MSVC's
// header defines inline over the double ones (long double is double there) and libc++ calls.
#pragma once
#include_next <math.h>

#ifdef __cplusplus
extern "C" {
#endif
#define LUFIO_SHIM_L1(f) inline long double f##l(long double x) { return f((double)x); }
#define LUFIO_SHIM_L2(f) inline long double f##l(long double x, long double y) { return f((double)x, (double)y); }
LUFIO_SHIM_L1(acos) LUFIO_SHIM_L1(asin) LUFIO_SHIM_L1(atan) LUFIO_SHIM_L1(ceil) LUFIO_SHIM_L1(cos)
LUFIO_SHIM_L1(cosh) LUFIO_SHIM_L1(exp) LUFIO_SHIM_L1(fabs) LUFIO_SHIM_L1(floor) LUFIO_SHIM_L1(log)
LUFIO_SHIM_L1(log10) LUFIO_SHIM_L1(sin) LUFIO_SHIM_L1(sinh) LUFIO_SHIM_L1(sqrt) LUFIO_SHIM_L1(tan)
LUFIO_SHIM_L1(tanh) LUFIO_SHIM_L1(acosh) LUFIO_SHIM_L1(asinh) LUFIO_SHIM_L1(atanh) LUFIO_SHIM_L1(cbrt)
LUFIO_SHIM_L1(erf) LUFIO_SHIM_L1(exp2) LUFIO_SHIM_L1(expm1) LUFIO_SHIM_L1(lgamma) LUFIO_SHIM_L1(log1p)
LUFIO_SHIM_L1(log2) LUFIO_SHIM_L1(logb) LUFIO_SHIM_L1(nearbyint) LUFIO_SHIM_L1(rint) LUFIO_SHIM_L1(round)
LUFIO_SHIM_L1(tgamma) LUFIO_SHIM_L1(trunc)
LUFIO_SHIM_L2(atan2) LUFIO_SHIM_L2(fmod) LUFIO_SHIM_L2(pow) LUFIO_SHIM_L2(copysign) LUFIO_SHIM_L2(fdim)
LUFIO_SHIM_L2(fmax) LUFIO_SHIM_L2(fmin) LUFIO_SHIM_L2(hypot) LUFIO_SHIM_L2(nextafter) LUFIO_SHIM_L2(remainder)
#undef LUFIO_SHIM_L1
#undef LUFIO_SHIM_L2
double __cdecl erfc(double);
double __cdecl fma(double, double, double);
double __cdecl nan(const char*);
double __cdecl nexttoward(double, long double);
inline float erfcf(float x) { return (float)erfc(x); }
inline float nexttowardf(float x, long double y) { return (float)nexttoward(x, y); }
inline long double erfcl(long double x) { return erfc((double)x); }
inline long double fmal(long double x, long double y, long double z) { return fma((double)x, (double)y, (double)z); }
inline long double frexpl(long double x, int* e) { return frexp((double)x, e); }
inline long double ldexpl(long double x, int e) { return ldexp((double)x, e); }
inline long double modfl(long double x, long double* i) {
  double d;
  const double r = modf((double)x, &d);
  *i = d;
  return r;
}
inline long double remquol(long double x, long double y, int* q) { return remquo((double)x, (double)y, q); }
inline long double scalbnl(long double x, int e) { return scalbn((double)x, e); }
inline long double scalblnl(long double x, long e) { return scalbln((double)x, e); }
inline long double nanl(const char* s) { return nan(s); }
inline long double nexttowardl(long double x, long double y) { return nexttoward((double)x, y); }
inline int ilogbl(long double x) { return ilogb((double)x); }
inline long long llrintl(long double x) { return llrint((double)x); }
inline long long llroundl(long double x) { return llround((double)x); }
inline long lrintl(long double x) { return lrint((double)x); }
inline long lroundl(long double x) { return lround((double)x); }
#ifdef __cplusplus
}
#endif
