// The invocation interface: what the exported entry points do.
#pragma once
#include "tests/standin/runtime/StandinJni.h"

namespace tarn::standin {

jint CreateJavaVm(JavaVM** vm, void** env, void* arguments);
jint GetDefaultJavaVmInitArgs(void* arguments);
jclass FindClassFromBootLoader(JNIEnv* env, const char* name);

}  // namespace tarn::standin
