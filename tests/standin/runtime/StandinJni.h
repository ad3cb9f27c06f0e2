// jni.h for the stand-in, plus the JNI 1.1 init arguments that newer headers no longer declare.
#pragma once
#include <jni.h>

#include <cstdarg>
#include <cstdio>

namespace tarn::standin {

using VfprintfHook = jint(JNICALL*)(FILE* stream, const char* format, va_list arguments);
using ExitHook = void(JNICALL*)(jint code);
using AbortHook = void(JNICALL*)();

// The JNI 1.1 structure that JNI_GetDefaultJavaVMInitArgs fills for a version 1.1 request.
struct JDK1_1InitArgs {
    jint version;
    char** properties;
    jint checkSource;
    jint nativeStackSize;
    jint javaStackSize;
    jint minHeapSize;
    jint maxHeapSize;
    jint verifyMode;
    char* classpath;
    VfprintfHook vfprintf;
    ExitHook exit;
    AbortHook abort;
    jint enableClassGC;
    jint enableVerboseGC;
    jint disableAsyncGC;
    jint verbose;
    jboolean debugging;
    jint debugPort;
};

}  // namespace tarn::standin
