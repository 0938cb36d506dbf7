/* atan2f and log10f: glibc reaches them through wrappers that only set errno. */
float glibc_atan2f(float y, float x);
float glibc_log10f(float x);

float atan2f(float y, float x) {
    return glibc_atan2f(y, x);
}
float log10f(float x) {
    return glibc_log10f(x);
}
