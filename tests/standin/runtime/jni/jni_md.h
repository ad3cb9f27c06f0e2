// Machine-dependent JNI definitions for the stand-in runtime, read by the JDK's jni.h. The same
// types and calling convention as the launcher's, but without dllimport/dllexport: a .def file per
// jvm.dll variant decides which entry points each variant exports.
#ifndef TARN_STANDIN_JNI_MD_H
#define TARN_STANDIN_JNI_MD_H

#define JNIEXPORT
#define JNIIMPORT
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
