#include "platform/print_job.h"

#include <cups/cups.h>

namespace qm {

namespace {

PrintResult Failed(const char* fallback) {
  const char* said = cupsLastErrorString();
  return {false, said && *said ? said : fallback};
}

}  // namespace

PrintResult PrintTextJob(const std::string& title, const std::string& text) {
  cups_dest_t* dests = nullptr;
  int count = cupsGetDests(&dests);
  cups_dest_t* dest = cupsGetDest(nullptr, nullptr, count, dests);
  if (!dest) {
    PrintResult result = Failed("no default printer");
    cupsFreeDests(count, dests);
    return result;
  }
  const std::string printer = dest->name;
  cupsFreeDests(count, dests);

  // Half-inch margins, so the sheet does not start at the very edge of the paper.
  cups_option_t* options = nullptr;
  int optionCount = 0;
  for (const char* margin : {"page-left", "page-top", "page-right", "page-bottom"})
    optionCount = cupsAddOption(margin, "36", optionCount, &options);
  const int job =
      cupsCreateJob(CUPS_HTTP_DEFAULT, printer.c_str(), title.c_str(), optionCount, options);
  cupsFreeOptions(optionCount, options);
  if (job == 0) return Failed("the printer refused the job");

  if (cupsStartDocument(CUPS_HTTP_DEFAULT, printer.c_str(), job, title.c_str(), CUPS_FORMAT_TEXT,
                        1) != HTTP_STATUS_CONTINUE ||
      cupsWriteRequestData(CUPS_HTTP_DEFAULT, text.data(), text.size()) != HTTP_STATUS_CONTINUE) {
    PrintResult result = Failed("the printer refused the job");
    cupsFinishDocument(CUPS_HTTP_DEFAULT, printer.c_str());
    cupsCancelJob2(CUPS_HTTP_DEFAULT, printer.c_str(), job, 0);
    return result;
  }
  if (cupsFinishDocument(CUPS_HTTP_DEFAULT, printer.c_str()) != IPP_STATUS_OK) {
    return Failed("the printer refused the job");
  }
  return {true, ""};
}

}  // namespace qm
