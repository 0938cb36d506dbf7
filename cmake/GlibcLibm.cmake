# The WebAssembly build's sin, cos, sincos, tan, pow, hypot and their float
# kin are glibc's own, compiled from the Debian source tools/setup.sh unpacks,
# so that the module rounds each result as the native program does (musl's
# differ in the last bit for a few percent of arguments). Defined in a library
# that precedes the C library on the link line, they replace its functions.
#
# On x86-64 processors with FMA, glibc runs FMA builds of sin, cos, sincos,
# tan, pow, sinf, cosf, sincosf and logf; their multiply-adds are made exact
# fused ones here (FuseMultiplyAdd.cmake); the rest are compiled as they are.
enable_language(C)
set(TALVOR_GLIBC_SOURCE ${CMAKE_BINARY_DIR}/glibc CACHE PATH "glibc's libm sources (make wasm unpacks them)")
set(glibc_dbl ${TALVOR_GLIBC_SOURCE}/sysdeps/ieee754/dbl-64)
set(glibc_flt ${TALVOR_GLIBC_SOURCE}/sysdeps/ieee754/flt-32)
if(NOT EXISTS ${glibc_dbl}/s_sin.c)
    message(FATAL_ERROR "no glibc source at '${TALVOR_GLIBC_SOURCE}' (make wasm fetches it)")
endif()
set(glibc_here ${CMAKE_CURRENT_LIST_DIR}/glibc-libm)
set(glibc_shim ${CMAKE_CURRENT_BINARY_DIR}/glibc-shim)
# glibc's internal headers: all the files need from them is in glibc-shim.h.
foreach(header math_private.h fenv_private.h math-underflow.h math-barriers.h math-narrow-eval.h
               math-svid-compat.h math-use-builtins.h libm-alias-finite.h libm-alias-double.h
               libm-alias-float.h nan-high-order-bit.h fix-int-fp-convert-zero.h)
    file(WRITE ${glibc_shim}/${header} "/* See glibc-shim.h. */\n")
endforeach()
set(glibc_flags -O2 -std=gnu11 -fno-math-errno -w -include ${glibc_here}/glibc-shim.h -I${glibc_shim}
    -I${TALVOR_GLIBC_SOURCE} -I${glibc_dbl} -I${glibc_flt} -I${TALVOR_GLIBC_SOURCE}/sysdeps/x86/fpu
    -D__sin=sin -D__cos=cos -D__sincos=sincos -D__tan=tan -D__pow=pow -D__hypot=hypot
    -D__sinf=sinf -D__cosf=cosf -D__sincosf=sincosf -D__tanf=tanf -D__hypotf=hypotf)

set(glibc_fused ${glibc_dbl}/s_sin.c ${glibc_dbl}/s_sincos.c ${glibc_dbl}/s_tan.c ${glibc_dbl}/e_pow.c
    ${glibc_flt}/s_sinf.c ${glibc_flt}/s_cosf.c ${glibc_flt}/s_sincosf.c ${glibc_flt}/e_logf.c)
set(glibc_plain ${glibc_dbl}/branred.c ${glibc_dbl}/sincostab.c ${glibc_dbl}/e_pow_log_data.c
    ${glibc_dbl}/e_exp_data.c ${glibc_dbl}/e_hypot.c ${glibc_dbl}/math_err.c
    ${TALVOR_GLIBC_SOURCE}/sysdeps/x86/fpu/s_sincosf_data.c ${glibc_flt}/s_tanf.c
    ${glibc_flt}/k_tanf.c ${glibc_flt}/e_atan2f.c ${glibc_flt}/s_atanf.c ${glibc_flt}/e_log10f.c
    ${glibc_flt}/e_logf_data.c ${glibc_flt}/e_hypotf.c ${glibc_flt}/math_errf.c)

set(glibc_objects)
foreach(source IN LISTS glibc_fused)
    get_filename_component(name ${source} NAME_WE)
    set(ir ${CMAKE_CURRENT_BINARY_DIR}/glibc-fused/${name}.ll)
    set(object ${CMAKE_CURRENT_BINARY_DIR}/glibc-fused/${name}${CMAKE_C_OUTPUT_EXTENSION})
    add_custom_command(OUTPUT ${object}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/glibc-fused
        COMMAND ${CMAKE_C_COMPILER} ${glibc_flags} -D__FP_FAST_FMA=1 -D__FP_FAST_FMAF=1
                -ffp-contract=on -S -emit-llvm ${source} -o ${ir}
        COMMAND ${CMAKE_COMMAND} -DIR=${ir} -P ${glibc_here}/FuseMultiplyAdd.cmake
        COMMAND ${CMAKE_C_COMPILER} -O2 -c ${ir} -o ${object}
        DEPENDS ${source} ${glibc_here}/glibc-shim.h ${glibc_here}/FuseMultiplyAdd.cmake
        COMMENT "glibc ${name}.c with its fused multiply-adds" VERBATIM)
    list(APPEND glibc_objects ${object})
endforeach()
add_library(talvor_glibc_libm STATIC ${glibc_plain} ${glibc_here}/wrappers.c ${glibc_objects}
            $<TARGET_OBJECTS:talvor_exact_fma>)
target_compile_options(talvor_glibc_libm PRIVATE ${glibc_flags} -ffp-contract=off)

# The fma those fused multiply-adds call (exact-fma.c), before the C library's,
# whose own is kept, renamed, for the arguments near the ends of the range.
set(libc_musl ${EMSCRIPTEN_ROOT_PATH}/system/lib/libc/musl)
add_library(talvor_exact_fma OBJECT ${glibc_here}/exact-fma.c ${libc_musl}/src/math/fma.c)
target_compile_options(talvor_exact_fma PRIVATE -O2 -ffp-contract=off -w)
set_source_files_properties(${libc_musl}/src/math/fma.c PROPERTIES
    COMPILE_DEFINITIONS fma=libc_software_fma
    INCLUDE_DIRECTORIES "${libc_musl}/src/internal;${libc_musl}/arch/emscripten;${libc_musl}/src/include")
