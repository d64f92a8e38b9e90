// TBinStream: import from a real file, export, Compress conversion and the stored form.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ZipTestData.h"
#include "components/BinStream.h"
#include "components/FileDate.h"
#include "components/ZipLzImp.h"
#include "framework/ClassRegistry.h"
#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "framework/FormEncoder.h"
#include "framework/FormStream.h"

namespace {

class BinStream : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterBinStreamClass();
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder_ = std::filesystem::temp_directory_path() / ("lintora-binstream-" + test);
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  std::string MakeFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string path = PathOf(name);
    WriteFileBytes(path, bytes.data(), bytes.size());
    return path;
  }

  TComponent owner_{nullptr};
  std::filesystem::path folder_;
};

std::vector<uint8_t> DataOf(const TBinStream& bin) {
  return bin.Data().Bytes();
}

void ExpectEmpty(const TBinStream& bin) {
  EXPECT_TRUE(bin.Data().Bytes().empty());
  EXPECT_EQ(bin.Size(), 0);
  EXPECT_EQ(bin.SizeOfBin(), 0);
  EXPECT_EQ(bin.FileDate(), "");
}

template <typename Action>
void ExpectFileError(Action action, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "no error, expected: " << message;
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Message(), message);
  }
}

// "yyyy/mm/dd hh:nn:ss " with even seconds.
void ExpectFileDateShape(const std::string& date) {
  ASSERT_EQ(date.size(), 20u) << date;
  const std::string shape = "dddd/dd/dd dd:dd:dd ";
  for (size_t i = 0; i < shape.size(); ++i) {
    if (shape[i] == 'd') {
      EXPECT_TRUE(date[i] >= '0' && date[i] <= '9') << date;
    } else {
      EXPECT_EQ(date[i], shape[i]) << date;
    }
  }
  EXPECT_EQ((date[18] - '0') % 2, 0) << date;
}

// A stored form of one TBinStream named BinStream1 under a TComponent root; `properties` writes
// the component's properties.
template <typename Properties>
std::vector<uint8_t> StoredForm(Properties properties) {
  FormEncoder form;
  form.Name("TComponent");
  form.Name("Root");
  form.End();
  form.Name("TBinStream");
  form.Name("BinStream1");
  properties(form);
  form.End();
  form.End();
  form.End();
  return form.Bytes();
}

TBinStream* ReadStoredBin(TComponent& root, const std::vector<uint8_t>& form) {
  FormReader(form).ReadRootComponent(root);
  return dynamic_cast<TBinStream*>(root.FindComponent("BinStream1"));
}

}  // namespace

TEST(FileDate, FormatsTwentyCharactersWithEvenSeconds) {
  EXPECT_EQ(FormatFileDate({2000, 10, 23, 11, 7, 27}, "/", ":"), "2000/10/23 11:07:26 ");
  EXPECT_EQ(FormatFileDate({2014, 6, 19, 0, 54, 22}, "/", ":"), "2014/06/19 00:54:22 ");
  EXPECT_EQ(FormatFileDate({1999, 1, 2, 23, 59, 59}, "-", "."), "1999-01-02 23.59.58 ");
}

TEST_F(BinStream, ImportAndExportGiveTheFileByteForByte) {
  const std::vector<uint8_t> bytes = RandomBytes(100000, 21);
  const std::string path = MakeFile("Myodbc.dll", bytes);
  TBinStream bin(&owner_);
  EXPECT_FALSE(bin.Compress());
  bin.SetFileName(path);
  EXPECT_EQ(bin.FileName(), path);
  EXPECT_EQ(bin.Size(), 100000);
  EXPECT_EQ(bin.SizeOfBin(), 100000);
  EXPECT_EQ(DataOf(bin), bytes);
  ExpectFileDateShape(bin.FileDate());

  bin.SaveToFile(PathOf("copy.dll"));
  EXPECT_EQ(ReadFileBytes(PathOf("copy.dll")), bytes);
}

TEST_F(BinStream, SameNameDoesNotReadAgainAndEmptyNameEmpties) {
  const std::string path = MakeFile("a.bin", Bytes("first"));
  TBinStream bin(&owner_);
  bin.SetFileName(path);
  MakeFile("a.bin", Bytes("second, longer"));
  bin.SetFileName(path);
  EXPECT_EQ(DataOf(bin), Bytes("first"));
  EXPECT_EQ(bin.Size(), 5);

  bin.SetFileName("");
  EXPECT_EQ(bin.FileName(), "");
  ExpectEmpty(bin);
}

TEST_F(BinStream, FileFailuresNameThePath) {
  TBinStream bin(&owner_);
  bin.SetFileName(MakeFile("a.bin", Bytes("abc")));
  const std::string target = PathOf("no-such-folder/a.bin");
  ExpectFileError([&] { bin.SaveToFile(target); }, "Cannot create file " + target);

  // A file that cannot be opened: the new name stays, the component is empty.
  const std::string missing = PathOf("missing.dll");
  ExpectFileError([&] { bin.SetFileName(missing); }, "Cannot open file " + missing);
  EXPECT_EQ(bin.FileName(), missing);
  ExpectEmpty(bin);
}

TEST_F(BinStream, CompressOnAndOffRestoresTheBytes) {
  // Text shrinks; noise gives a container longer than the file.
  for (const std::vector<uint8_t>& bytes : {TextLikeBytes(70000, 1), RandomBytes(40000, 2)}) {
    TBinStream bin(&owner_);
    bin.SetFileName(MakeFile("a.bin", bytes));
    const std::string date = bin.FileDate();
    bin.SetCompress(true);
    EXPECT_TRUE(bin.Compress());
    ASSERT_GT(bin.SizeOfBin(), 31);
    EXPECT_EQ(DataOf(bin)[0], 13);  // the container's signature
    EXPECT_EQ(bin.SizeOfBin(), static_cast<int32_t>(bin.Data().Size()));
    EXPECT_EQ(bin.Size(), static_cast<int32_t>(bytes.size()));
    EXPECT_EQ(bin.FileDate(), date);
    bin.SaveToFile(PathOf("packed"));  // written as held: the container
    EXPECT_EQ(ReadFileBytes(PathOf("packed")), DataOf(bin));

    bin.SetCompress(false);
    EXPECT_EQ(DataOf(bin), bytes);
    EXPECT_EQ(bin.SizeOfBin(), static_cast<int32_t>(bytes.size()));
  }
}

TEST_F(BinStream, ImportWithCompressOnHoldsTheContainer) {
  const std::vector<uint8_t> bytes = TextLikeBytes(50000, 3);
  TBinStream bin(&owner_);
  bin.SetCompress(true);  // empty: only the flag
  EXPECT_TRUE(bin.Compress());
  ExpectEmpty(bin);
  bin.SetFileName(MakeFile("a.txt", bytes));
  EXPECT_EQ(bin.Size(), 50000);
  EXPECT_LT(bin.SizeOfBin(), 50000);
  bin.SetCompress(false);
  EXPECT_EQ(DataOf(bin), bytes);
  bin.SetCompress(false);  // unchanged value: nothing happens
  EXPECT_EQ(DataOf(bin), bytes);
}

TEST_F(BinStream, PlainFileIsWrittenWhetherHeldPackedOrNot) {
  const std::vector<uint8_t> bytes = TextLikeBytes(60000, 7);
  for (const bool packed : {false, true}) {
    TBinStream bin(&owner_);
    bin.SetCompress(packed);
    bin.SetFileName(MakeFile("a.dll", bytes));
    const std::vector<uint8_t> held = DataOf(bin);
    bin.SavePlainToFile(PathOf("written.dll"));
    EXPECT_EQ(ReadFileBytes(PathOf("written.dll")), bytes) << "packed " << packed;
    EXPECT_EQ(DataOf(bin), held);  // the component keeps what it holds
    EXPECT_EQ(bin.Compress(), packed);
  }
}

TEST_F(BinStream, ContainerThatDoesNotDecodeCreatesNoFile) {
  TBinStream bin(&owner_);
  bin.SetCompress(true);
  TMemoryStream block;
  block.Write("not a container", 15);
  bin.ReadData(block);
  EXPECT_THROW(bin.SavePlainToFile(PathOf("written.dll")), EZipSourceError);
  EXPECT_FALSE(std::filesystem::exists(PathOf("written.dll")));
  EXPECT_EQ(DataOf(bin), Bytes("not a container"));
}

TEST_F(BinStream, CorruptContainerLeavesDataAndFlag) {
  TBinStream bin(&owner_);
  bin.SetCompress(true);
  TMemoryStream block;
  block.Write("not a container", 15);
  bin.ReadData(block);
  EXPECT_THROW(bin.SetCompress(false), EZipSourceError);
  EXPECT_TRUE(bin.Compress());
  EXPECT_EQ(DataOf(bin), Bytes("not a container"));
}

TEST_F(BinStream, StoredFormCarriesPropertiesAndData) {
  const std::vector<uint8_t> bytes = RandomBytes(5000, 4);
  TComponent root(nullptr);
  root.SetName("Root");
  TBinStream* bin = new TBinStream(&root);
  bin->SetName("BinStream1");
  bin->SetFileName(MakeFile("Myodbcd.dll", bytes));
  const std::vector<uint8_t> form = FormWriter::WriteComponent(root);
  std::filesystem::remove_all(folder_);  // reading must not need the file

  TComponent readRoot(nullptr);
  TBinStream* read = ReadStoredBin(readRoot, form);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->FileName(), bin->FileName());
  EXPECT_EQ(read->FileDate(), bin->FileDate());
  EXPECT_EQ(read->Size(), 5000);
  EXPECT_EQ(read->SizeOfBin(), 5000);
  EXPECT_FALSE(read->Compress());
  EXPECT_EQ(DataOf(*read), bytes);
}

// The program's own form lends its driver files: the component reads them where the form lies
// and writes the file from there; a copied form leaves nothing pointing into the reader's bytes.
TEST_F(BinStream, PermanentFormBytesAreLentAndWrittenFromWhereTheyLie) {
  const std::vector<uint8_t> bytes = RandomBytes(3000, 7);
  const std::vector<uint8_t> form = StoredForm([&bytes](FormEncoder& out) {
    out.Name("FileName");
    out.String("C:\\Lintora\\Drivers\\Myodbc.dll");
    out.Name("Data");
    out.Binary(bytes.data(), bytes.size());
  });
  const auto inside = [&form](const uint8_t* p) {
    return p >= form.data() && p < form.data() + form.size();
  };
  TComponent lentRoot(nullptr), copiedRoot(nullptr);
  FormReader(form.data(), form.size(), TFormBytes::Permanent).ReadRootComponent(lentRoot);
  FormReader(form).ReadRootComponent(copiedRoot);
  auto* lent = dynamic_cast<TBinStream*>(lentRoot.FindComponent("BinStream1"));
  auto* copied = dynamic_cast<TBinStream*>(copiedRoot.FindComponent("BinStream1"));
  ASSERT_TRUE(lent && copied);
  EXPECT_TRUE(inside(lent->Data().Memory()));
  EXPECT_FALSE(inside(copied->Data().Memory()));
  lent->SavePlainToFile(PathOf("Myodbc.dll"));
  EXPECT_EQ(ReadFileBytes(PathOf("Myodbc.dll")), bytes);
  EXPECT_EQ(DataOf(*copied), bytes);
}

TEST_F(BinStream, PublishedPropertiesInStoredOrder) {
  TBinStream bin(&owner_);
  std::vector<std::string> names;
  for (const TPropInfo* prop : GetPropList(bin)) names.push_back(prop->Name);
  const std::vector<std::string> own(names.end() - 5, names.end());
  EXPECT_EQ(own,
            (std::vector<std::string>{"FileDate", "FileName", "Size", "SizeOfBin", "Compress"}));
  // Compress false is the default and not stored; the integers are always stored.
  EXPECT_FALSE(IsStoredProp(bin, *GetPropInfo(bin, "Compress")));
  EXPECT_TRUE(IsStoredProp(bin, *GetPropInfo(bin, "SizeOfBin")));
  bin.SetCompress(true);
  EXPECT_TRUE(IsStoredProp(bin, *GetPropInfo(bin, "Compress")));
}

TEST_F(BinStream, EmptyComponentWritesNoData) {
  TComponent root(nullptr);
  root.SetName("Root");
  (new TBinStream(&root))->SetName("BinStream1");
  const std::vector<uint8_t> form = FormWriter::WriteComponent(root);
  const std::string text(form.begin(), form.end());
  EXPECT_EQ(text.find("Data"), std::string::npos);
  EXPECT_NE(text.find("SizeOfBin"), std::string::npos);

  TComponent readRoot(nullptr);
  TBinStream* read = ReadStoredBin(readRoot, form);
  ASSERT_NE(read, nullptr);
  ExpectEmpty(*read);
}

TEST_F(BinStream, StoredValuesAreTakenWithoutTheFileSystem) {
  const std::vector<uint8_t> container = [] {
    TMemoryStream plain, packed;
    const std::vector<uint8_t> text = Bytes("abcabcabcabc");
    plain.Write(text.data(), text.size());
    plain.Seek(0);
    CompressStream(plain, packed);
    return packed.Bytes();
  }();
  // A missing file, a SizeOfBin that disagrees, and Compress before Data: the block arrives
  // already in container form.
  const std::vector<uint8_t> form = StoredForm([&container](FormEncoder& out) {
    out.Name("FileDate");
    out.String("2000/10/23 11:07:26 ");
    out.Name("FileName");
    out.String("C:\\WINNT\\system32\\no-such-file.dll");
    out.Name("Size");
    out.Int(12);
    out.Name("SizeOfBin");
    out.Int(999);
    out.Name("Compress");
    out.Boolean(true);
    out.Name("Data");
    out.Binary(container.data(), container.size());
  });
  TComponent root(nullptr);
  TBinStream* bin = ReadStoredBin(root, form);
  ASSERT_NE(bin, nullptr);
  EXPECT_EQ(bin->FileName(), "C:\\WINNT\\system32\\no-such-file.dll");
  EXPECT_EQ(bin->FileDate(), "2000/10/23 11:07:26 ");
  EXPECT_EQ(bin->Size(), 12);
  EXPECT_EQ(bin->SizeOfBin(), static_cast<int32_t>(container.size()));
  EXPECT_TRUE(bin->Compress());
  EXPECT_EQ(DataOf(*bin), container);
  bin->SetCompress(false);
  EXPECT_EQ(DataOf(*bin), Bytes("abcabcabcabc"));
  EXPECT_EQ(bin->SizeOfBin(), 12);
}

#ifndef _WIN32
#include <sys/stat.h>
#include <utime.h>

#include <ctime>

TEST_F(BinStream, FileDateIsTheLocalLastWriteTime) {
  const std::string path = MakeFile("a.bin", Bytes("x"));
  std::tm local{};
  local.tm_year = 2014 - 1900;
  local.tm_mon = 5;
  local.tm_mday = 19;
  local.tm_hour = 0;
  local.tm_min = 54;
  local.tm_sec = 23;
  local.tm_isdst = -1;
  const utimbuf times{std::mktime(&local), std::mktime(&local)};
  ASSERT_EQ(utime(path.c_str(), &times), 0);
  TBinStream bin(&owner_);
  bin.SetFileName(path);
  EXPECT_EQ(bin.FileDate(), "2014/06/19 00:54:22 ");
}
#endif
