# An import library of one of Wine's DLLs for ARMNT modules, naming every
# export that MinGW-w64's x64 import library of that DLL names: the calls
# the desktop programs may make of it.
#   cmake -DNM=<llvm-nm> -DDLLTOOL=<llvm-dlltool> -DDLL=<name without .dll>
#         -DFROM=<MinGW-w64's x64 lib<name>.a> -DOUT=<library> -P ArmntImportLibrary.cmake
execute_process(COMMAND ${NM} ${FROM} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot read ${FROM}")
endif()
string(REGEX MATCHALL " I __imp_[A-Za-z0-9_]+" names "${symbols}")
list(TRANSFORM names REPLACE " I __imp_" "    ")
list(REMOVE_DUPLICATES names)
list(JOIN names "\n" body)
file(WRITE ${OUT}.def "LIBRARY ${DLL}.dll\nEXPORTS\n${body}\n")
execute_process(COMMAND ${DLLTOOL} -m arm -D ${DLL}.dll -d ${OUT}.def -l ${OUT} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "llvm-dlltool could not make ${OUT}")
endif()
