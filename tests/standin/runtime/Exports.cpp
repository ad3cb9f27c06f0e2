// The entry points of jvm.dll. Each variant's .def file decides which of them it exports.
#include "tests/standin/runtime/Invocation.h"

extern "C" {

jint JNICALL JNI_CreateJavaVM(JavaVM** vm, void** env, void* arguments) {
    return tarn::standin::CreateJavaVm(vm, env, arguments);
}

jint JNICALL JNI_GetDefaultJavaVMInitArgs(void* arguments) {
    return tarn::standin::GetDefaultJavaVmInitArgs(arguments);
}

jclass JNICALL JVM_FindClassFromBootLoader(JNIEnv* env, const char* name) {
    return tarn::standin::FindClassFromBootLoader(env, name);
}

}  // extern "C"
