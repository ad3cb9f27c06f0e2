// The JNI 1.1 init-arguments structure, which current jni.h files no longer declare; runtimes
// still fill its javaStackSize when JNI_GetDefaultJavaVMInitArgs is asked for version 1.1.
#pragma once
#include <jni.h>

#include <cstdarg>
#include <cstdio>

namespace tarn {

struct Jdk11InitArgs {
    jint version;
    char** properties;
    jint checkSource;
    jint nativeStackSize;
    jint javaStackSize;
    jint minHeapSize;
    jint maxHeapSize;
    jint verifyMode;
    char* classpath;
    jint(JNICALL* vfprintf)(FILE* fp, const char* format, va_list args);
    void(JNICALL* exit)(jint code);
    void(JNICALL* abort)(void);
    jint enableClassGC;
    jint enableVerboseGC;
    jint disableAsyncGC;
    jint verbose;
    jboolean debugging;
    jint debugPort;
};

}  // namespace tarn
