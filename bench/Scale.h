// How the launcher's work grows with its inputs: a settings file with every key set, many
// registered runtimes in both registry views, and class paths of many jars. Each prints the time
// per item, so that growth beyond linear shows.
#pragma once

namespace tarn::bench {

void SettingsScale();
void RegistryScale();
void ClassPathScale();

}  // namespace tarn::bench
