#include "cli/cli_run.h"

#include "cli/row_format.h"
#include "connlist/connection_list.h"
#include "connlist/pathless_texts.h"
#include "connlist/plain_list_window.h"
#include "view/connection_view_model.h"

namespace halvane {
namespace {

std::vector<const TMyRec*> RowsInOrder(ConnectionViewModel& view) {
  std::vector<const TMyRec*> rows;
  rows.reserve(view.RowCount());
  for (ListRow* row = view.FirstRow(); row; row = view.NextRow(row))
    rows.push_back(view.RecordOf(row));
  return rows;
}

// Tables carry the sentence below them; CSV and JSON keep standard output machine-readable
// and put it on standard error.
void PrintRound(const CliOptions& options, ConnectionViewModel& view, const PlainListWindow& window,
                long round, std::ostream& out, std::ostream& err) {
  const std::vector<const TMyRec*> rows = RowsInOrder(view);
  const std::string sentence = CounterSentence(window.appCount, window.netCount);
  switch (options.format) {
    case OutputFormat::Table:
      out << FormatTable(rows) << sentence << '\n';
      break;
    case OutputFormat::Csv:
      out << FormatCsv(rows) << std::flush;
      err << sentence << '\n';
      break;
    case OutputFormat::Json:
      out << FormatJsonLines(rows);
      if (options.watchSeconds)
        out << "{\"round\": " << round << "}\n";
      out << std::flush;
      err << sentence << '\n';
      break;
  }
  out.flush();
}

}  // namespace

int RunCli(const CliOptions& options, ConnectionSnapshot& snapshot, std::ostream& out,
           std::ostream& err, const SleepFor& sleep) {
  ConnectionViewModel view;
  PlainListWindow window(!options.hideLocal);
  ConnectionList list(snapshot, view, window, {kDescSystemText, kDescIdleText});
  list.FillConnectionList();
  PrintRound(options, view, window, 0, out, err);
  if (!options.watchSeconds)
    return 0;
  for (long round = 1; !options.rounds || round <= *options.rounds; ++round) {
    sleep(*options.watchSeconds);
    list.RefreshConnectionList();
    if (options.format != OutputFormat::Json)
      out << '\n';
    PrintRound(options, view, window, round, out, err);
  }
  return 0;
}

}  // namespace halvane
