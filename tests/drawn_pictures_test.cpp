// The committed pictures against a fresh run of the program that draws them: a change to
// either that the other does not follow shows here, naming the file and the first byte that
// moved.
#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

std::string contents(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Where the committed bytes part from the drawn ones; empty when they are the same.
std::string difference(const std::string& committed, const std::string& drawn) {
    const auto [c, d] =
        std::mismatch(committed.begin(), committed.end(), drawn.begin(), drawn.end());
    if (c == committed.end() && d == drawn.end()) return {};
    std::ostringstream out;
    out << "first difference at byte " << (c - committed.begin());
    if (c != committed.end() && d != drawn.end()) {
        out << std::hex << ": committed 0x" << int(static_cast<unsigned char>(*c)) << ", drawn 0x"
            << int(static_cast<unsigned char>(*d)) << std::dec;
    }
    out << " (committed " << committed.size() << " bytes, drawn " << drawn.size() << ")";
    return out.str();
}

TEST(DrawnPictures, AreTheCommittedFilesByteForByte) {
    // The drawing program draws exactly the pictures the game ships, no more, no fewer, and
    // each is byte for byte the committed file.
    QTemporaryDir drawn;
    ASSERT_TRUE(drawn.isValid());
    ASSERT_EQ(QProcess::execute(QStringLiteral(KESTRUNE_DRAW_PICTURES), {drawn.path()}), 0);

    QStringList pictures = QString(KESTRUNE_PICTURES).split(u',');
    QStringList files = QDir(drawn.path()).entryList(QDir::Files);
    pictures.sort();
    files.sort();
    EXPECT_EQ(files.join(u' ').toStdString(), pictures.join(u' ').toStdString())
        << "the pictures drawn are not the ones the game ships";

    const QDir committed(QStringLiteral(KESTRUNE_ASSETS_DIR));
    for (const QString& name : pictures) {
        const std::string moved =
            difference(contents(committed.filePath(name)), contents(drawn.filePath(name)));
        if (!moved.empty()) {
            ADD_FAILURE() << name.toStdString()
                          << " is not what the drawing program draws: " << moved;
        }
    }
}

}  // namespace
