// Host settings behind the "Global/..." services that tests and the command
// line may adjust. Thread-safe.
#ifndef TRVX_HOSTAPP_SERVICES_GLOBALSERVICES_H
#define TRVX_HOSTAPP_SERVICES_GLOBALSERVICES_H

namespace hostapp {

// "System/NumberOfProcessors": the hardware's thread count, at least 1.
int NumberOfProcessors();

// "Global/MaxProcessorsAllowedForModule": NumberOfProcessors() unless set.
// n <= 0 restores the default.
void SetMaxProcessorsAllowedForModule(int n);
int MaxProcessorsAllowedForModule();

}  // namespace hostapp

#endif
