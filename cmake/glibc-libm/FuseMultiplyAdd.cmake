# cmake -DIR=file.ll -P FuseMultiplyAdd.cmake
# Every multiply-add clang was allowed to contract (llvm.fmuladd) becomes an
# exact fused multiply-add (llvm.fma, the C library's correctly rounded fma on
# a target without the instruction), as the FMA builds of glibc compute them.
file(READ ${IR} text)
string(REGEX MATCHALL "declare [^\n]*@llvm\\.fmuladd\\.[a-z0-9]+\\([^\n]*\n" declarations "${text}")
foreach(declaration IN LISTS declarations)
    string(REGEX MATCH "@llvm\\.fmuladd\\.([a-z0-9]+)\\(" name "${declaration}")
    if(text MATCHES "declare [^\n]*@llvm\\.fma\\.${CMAKE_MATCH_1}\\(")
        string(REPLACE "${declaration}" "" text "${text}")
    endif()
endforeach()
string(REPLACE "@llvm.fmuladd." "@llvm.fma." text "${text}")
file(WRITE ${IR} "${text}")
