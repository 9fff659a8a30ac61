# JNI headers without linking to a JVM. jni.h comes from the JDK that builds
# the Java class; jni_md.h comes from the JDK for native Linux builds and from
# cmake/windows for Windows builds, whose calling convention differs.
find_package(Java 17 REQUIRED COMPONENTS Development)
include(UseJava)

get_filename_component(_javac_real "${Java_JAVAC_EXECUTABLE}" REALPATH)
get_filename_component(_jdk_home "${_javac_real}" DIRECTORY)
get_filename_component(_jdk_home "${_jdk_home}" DIRECTORY)
find_path(JNI_HEADER_DIR jni.h
  HINTS "$ENV{JAVA_HOME}/include" "${_jdk_home}/include"
  NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT JNI_HEADER_DIR)
  message(FATAL_ERROR "jni.h not found: set JAVA_HOME to a JDK")
endif()

add_library(jni_headers INTERFACE)
if(WIN32)
  target_include_directories(jni_headers INTERFACE
    "${CMAKE_CURRENT_LIST_DIR}/windows" "${JNI_HEADER_DIR}")
else()
  target_include_directories(jni_headers INTERFACE "${JNI_HEADER_DIR}" "${JNI_HEADER_DIR}/linux")
endif()
