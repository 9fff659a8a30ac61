# The pieces a user takes away, built by the native (Linux) build: the
# Windows DLLs, cross-built as sub-builds; the drop-in jar carrying all three
# native libraries; the demo host; and the install rules.
include(GNUInstallDirs)
option(MUMBLEZEVRIN_WINDOWS "Cross-build the Windows DLLs and put them in the jar" ON)

set(JAR_NATIVES ${CMAKE_CURRENT_BINARY_DIR}/jar-natives)
set(JAR_NATIVE_DIR ${JAR_NATIVES}/NET/tellandrix/native)
set(NATIVE_COPIES
  COMMAND ${CMAKE_COMMAND} -E make_directory ${JAR_NATIVE_DIR}/linux-${CMAKE_SYSTEM_PROCESSOR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:mumblezevrin> ${JAR_NATIVE_DIR}/linux-${CMAKE_SYSTEM_PROCESSOR}/)
set(NATIVE_FILES $<TARGET_FILE:mumblezevrin>)

if(MUMBLEZEVRIN_WINDOWS)
  include(ExternalProject)
  foreach(arch x86 x64)
    if(arch STREQUAL x86)
      set(toolchain i686)
      set(jar_platform windows-x86)
    else()
      set(toolchain x86_64)
      set(jar_platform windows-x86_64)
    endif()
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/windows-${arch})
    ExternalProject_Add(windows-${arch}
      SOURCE_DIR ${PROJECT_SOURCE_DIR}
      BINARY_DIR ${dir}
      CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-${toolchain}.cmake
        -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
        -DBUILD_TESTING=${BUILD_TESTING}
      BUILD_ALWAYS ON
      INSTALL_COMMAND ""
      BUILD_BYPRODUCTS ${dir}/mumblezevrin.dll ${dir}/linkmonitor.exe)
    list(APPEND NATIVE_COPIES
      COMMAND ${CMAKE_COMMAND} -E make_directory ${JAR_NATIVE_DIR}/${jar_platform}
      COMMAND ${CMAKE_COMMAND} -E copy ${dir}/mumblezevrin.dll ${JAR_NATIVE_DIR}/${jar_platform}/)
    list(APPEND NATIVE_FILES ${dir}/mumblezevrin.dll)
    install(FILES ${dir}/mumblezevrin.dll DESTINATION ${CMAKE_INSTALL_LIBDIR}/mumblezevrin/${jar_platform})
    install(PROGRAMS ${dir}/linkmonitor.exe DESTINATION ${CMAKE_INSTALL_LIBDIR}/mumblezevrin/${jar_platform})
  endforeach()
endif()

get_target_property(MUMBLELINK_JAR mumblelink_java JAR_FILE)
set(DROP_IN_JAR ${CMAKE_CURRENT_BINARY_DIR}/mumblezevrin.jar)
add_custom_command(OUTPUT ${DROP_IN_JAR}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${JAR_NATIVES}
  ${NATIVE_COPIES}
  COMMAND ${CMAKE_COMMAND} -E copy ${MUMBLELINK_JAR} ${DROP_IN_JAR}
  COMMAND ${Java_JAR_EXECUTABLE} uf ${DROP_IN_JAR} -C ${JAR_NATIVES} NET
  DEPENDS mumblelink_java ${MUMBLELINK_JAR} ${NATIVE_FILES}
  COMMENT "Packing the drop-in jar with its native libraries")
add_custom_target(mumblezevrin_jar ALL DEPENDS ${DROP_IN_JAR})

add_jar(mumblezevrin_demo
  SOURCES demo/NET/tellandrix/demo/CircleWalk.java
  INCLUDE_JARS mumblelink_java
  OUTPUT_NAME mumblezevrin-demo)

install(TARGETS mumblezevrin linkmonitor)
install(FILES ${DROP_IN_JAR} ${MUMBLELINK_JAR} DESTINATION ${CMAKE_INSTALL_DATADIR}/java)
