// Benchmark case: the launcher's start to main with and without a large splash picture.
#pragma once

namespace tarn::bench {

void SplashStart(int rounds);

}  // namespace tarn::bench
