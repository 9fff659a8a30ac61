/* Machine-dependent JNI definitions for Windows builds (32- and 64-bit).
 * A Windows JVM calls native methods with the __stdcall convention, in which
 * the callee pops its arguments; on 64-bit Windows the attribute is ignored
 * and the one x64 convention applies. Exports are marked dllexport, so the
 * DLL exports these functions and nothing else. */
#ifndef _JAVASOFT_JNI_MD_H_
#define _JAVASOFT_JNI_MD_H_

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef int jint;
typedef long long jlong;
typedef signed char jbyte;

#endif /* _JAVASOFT_JNI_MD_H_ */
