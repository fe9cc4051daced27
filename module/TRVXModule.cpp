#include "module/TRVXModule.h"

namespace px {

const char* TRVXModule::Version() const { return "PIXINSIGHT_MODULE_VERSION_1.0.5.0.eng"; }

IsoString TRVXModule::Name() const { return "TRVXnml"; }

String TRVXModule::Description() const {
  return "Converts TRV xnml images into Local Normalization '.xnml' files.\n"
         "TRVXnml is a process module for the PixInsight image processing platform "
         "(https://pixinsight.com/).";
}

String TRVXModule::Company() const { return String(); }

String TRVXModule::Author() const { return "TRVXnml contributors"; }

String TRVXModule::Copyright() const { return "Copyright (c) 2023 TRVXnml contributors"; }

String TRVXModule::TradeMarks() const { return "PixInsight"; }

String TRVXModule::OriginalFileName() const { return "TRVXnml-pxm.dylib"; }

void TRVXModule::GetReleaseDate(int& year, int& month, int& day) const {
  year = 2023;
  month = 7;
  day = 7;
}

}  // namespace px
