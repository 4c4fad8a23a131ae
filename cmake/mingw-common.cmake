# The posix thread model is the one that gives the C++ runtime std::thread and std::mutex.
set(CMAKE_C_COMPILER ${SHEETPUSH_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SHEETPUSH_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SHEETPUSH_TRIPLET}-windres)
set(SHEETPUSH_WIDL ${SHEETPUSH_TRIPLET}-widl)
set(CMAKE_FIND_ROOT_PATH /usr/${SHEETPUSH_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Programs run under Wine need no MinGW runtime DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
