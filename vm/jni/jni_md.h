// Machine-dependent JNI definitions for Windows (x86 and x86_64), read by the JDK's jni.h.
#ifndef TARN_JNI_MD_H
#define TARN_JNI_MD_H

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
// On x86 every JNI entry point is __stdcall; on x86_64 the keyword is ignored.
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
