# Which library inflates compressed entries: ISA-L (Debian libisal-dev) when
# SKARROW_USE_ISAL is on and the library is found, zlib otherwise.
set(SKARROW_INFLATE_WITH_ISAL OFF)
if(SKARROW_USE_ISAL)
  find_path(ISAL_INCLUDE_DIR isa-l/igzip_lib.h)
  find_library(ISAL_LIBRARY isal)
  if(ISAL_INCLUDE_DIR AND ISAL_LIBRARY)
    add_library(ISAL::ISAL UNKNOWN IMPORTED)
    set_target_properties(ISAL::ISAL PROPERTIES IMPORTED_LOCATION ${ISAL_LIBRARY}
                                                INTERFACE_INCLUDE_DIRECTORIES ${ISAL_INCLUDE_DIR})
    set(SKARROW_INFLATE_WITH_ISAL ON)
  endif()
endif()
if(SKARROW_INFLATE_WITH_ISAL)
  message(STATUS "Inflating with ISA-L: ${ISAL_LIBRARY}")
else()
  message(STATUS "Inflating with zlib (ISA-L not used)")
endif()
