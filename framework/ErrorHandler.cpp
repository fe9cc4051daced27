#include "framework/ErrorHandler.h"

#include <new>

#include "core/Exception.h"

namespace px {

void ReportCurrentException() {
  try {
    throw;
  } catch (const FatalError&) {
    throw;
  } catch (const ProcessAborted&) {
    // The user stopped the process: nothing to report.
  } catch (const CaughtException&) {
    // Already reported where it happened.
  } catch (const Exception& e) {
    e.Show();
  } catch (const String& text) {
    Error(text).Show();
  } catch (const std::bad_alloc&) {
    Error("Out of memory").Show();
  } catch (...) {
    Error("Unknown exception").Show();
  }
}

}  // namespace px
