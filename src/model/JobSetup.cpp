#include "model/JobSetup.h"

#include "text/Slots.h"
#include "text/TextTable.h"
#include "transfer/PieceNames.h"

namespace brelker {

UnusableFile TakeBigFile(Job& job, Files& files, const std::string& path) {
    job.BigFilePath = path;
    job.BigFileBytes = files.FileSize(path);
    if (job.BigFileBytes >= 0) {
        CoverWholeBigFile(job);
        return UnusableFile::None;
    }
    // Told apart without opening it: a FIFO would wait for a writer forever.
    switch (files.KindOf(path, true)) {
        case FileKind::Folder:
            return UnusableFile::Folder;
        case FileKind::Special:
            return UnusableFile::NotRegular;
        default:
            return UnusableFile::Missing;
    }
}

std::string UnusableFileText(UnusableFile why, const std::string& path) {
    switch (why) {
        case UnusableFile::Folder:
            return Text(slot::kIsAFolder) + path;
        case UnusableFile::NotRegular:
            return Text(slot::kNotARegularFile) + path;
        case UnusableFile::Missing:
        case UnusableFile::None:
            break;
    }
    return Text(slot::kFileMissing) + path;
}

void CoverWholeBigFile(Job& job) {
    job.ExtractSkip = 0;
    job.ExtractCount = job.BigFileBytes;
    job.ExtractLimit = job.BigFileBytes;
}

bool TakeSeries(Job& job, const std::string& piece, const std::string& suffix) {
    job.PiecePath = piece;
    job.SmallFilesBase = FindSeriesBase(piece, suffix);
    job.BigFilePath = job.SmallFilesBase;
    return !job.SmallFilesBase.empty();
}

}  // namespace brelker
