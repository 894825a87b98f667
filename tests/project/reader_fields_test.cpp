// The reader keeps every field apart: a saved project in which no two
// numeric fields and no two texts share a value is read back, and each
// field is compared by name with what the document says, at each file
// version at which fields appear.
#include <tuple>

#include "project/project_file.h"
#include "project/xml_read.h"
#include "project_fixture.h"

namespace {

// The version from which files store the instances' angles and carry the
// user functions.
constexpr int ANGLES_VERSION = 129;

template <typename Record, typename Value>
struct Field {
  const char* attribute;
  Value Record::*member;
  int since = 0;   // first file version that stores it
};

// A record kind: its list's position under the root, its saved fields, and
// its records as saved.
template <typename Record>
struct Kind {
  int section;
  std::vector<Record>* table;
  std::vector<Field<Record, int>> numbers;
  std::vector<Field<Record, std::string>> texts;
  std::string Record::*code = nullptr;   // the element's text
  int since = 0;
  std::vector<Record> saved{};
};

auto recordKinds() {
  using S = SpriteRecord;
  using B = BackgroundRecord;
  using O = ObjectRecord;
  using C = SceneRecord;
  using L = TileRecord;
  return std::make_tuple(
      Kind<S>{4, &sprites,
              {{"centerx", &S::centerx}, {"centery", &S::centery}, {"collisionradius", &S::collisionradius},
               {"collisionleft", &S::collisionleft}, {"collisionright", &S::collisionright},
               {"collisiontop", &S::collisiontop}, {"collisionbottom", &S::collisionbottom}},
              {{"name", &S::name}, {"collisionshape", &S::collisionshape}}},
      Kind<FrameRecord>{5, &frames, {}, {{"file", &FrameRecord::file}, {"sprite", &FrameRecord::sprite}}},
      Kind<SoundRecord>{6, &sounds, {},
                        {{"name", &SoundRecord::name}, {"wav", &SoundRecord::wav},
                         {"mp3", &SoundRecord::mp3}, {"ogg", &SoundRecord::ogg}}},
      Kind<MusicRecord>{7, &musics, {},
                        {{"name", &MusicRecord::name}, {"wav", &MusicRecord::wav},
                         {"mp3", &MusicRecord::mp3}, {"ogg", &MusicRecord::ogg}}},
      Kind<B>{8, &backgrounds,
              {{"tile", &B::tile}, {"tileheight", &B::tileheight}, {"tilewidth", &B::tilewidth},
               {"tilexoffset", &B::tilexoffset}, {"tileyoffset", &B::tileyoffset},
               {"tilexspace", &B::tilexspace}, {"tileyspace", &B::tileyspace}},
              {{"name", &B::name}, {"file", &B::file}}},
      Kind<FontRecord>{9, &fonts,
                       {{"size", &FontRecord::size}, {"bold", &FontRecord::bold},
                        {"italic", &FontRecord::italic}},
                       {{"name", &FontRecord::name}, {"family", &FontRecord::family}}},
      Kind<O>{10, &objects,
              {{"prototype", &O::prototype}, {"x", &O::x}, {"y", &O::y}, {"visible", &O::visible},
               {"depth", &O::depth}, {"collision", &O::collision},
               {"direction", &O::direction, ANGLES_VERSION},
               {"image_angle", &O::image_angle, ANGLES_VERSION}},
              {{"name", &O::name}, {"template", &O::template_}, {"scene", &O::scene},
               {"sprite", &O::sprite}, {"parent", &O::parent}}},
      Kind<ScriptRecord>{11, &scripts, {},
                         {{"name", &ScriptRecord::name}, {"object", &ScriptRecord::object},
                          {"event", &ScriptRecord::event}, {"parameter", &ScriptRecord::parameter}},
                         &ScriptRecord::code},
      Kind<C>{12, &scenes,
              {{"width", &C::width}, {"height", &C::height}, {"speed", &C::speed}, {"red", &C::red},
               {"green", &C::green}, {"blue", &C::blue}, {"backgroundstretch", &C::backgroundstretch},
               {"backgroundtilex", &C::backgroundtilex}, {"backgroundtiley", &C::backgroundtiley},
               {"viewportwidth", &C::viewportwidth}, {"viewportheight", &C::viewportheight},
               {"viewportxborder", &C::viewportxborder}, {"viewportyborder", &C::viewportyborder}},
              {{"name", &C::name}, {"background", &C::background}, {"viewportobject", &C::viewportobject}},
              &C::code},
      Kind<LayerRecord>{13, &layers, {{"value", &LayerRecord::value}},
                        {{"name", &LayerRecord::name}, {"scene", &LayerRecord::scene}}},
      Kind<L>{14, &tiles,
              {{"width", &L::width}, {"height", &L::height}, {"x", &L::x}, {"y", &L::y},
               {"top", &L::top}, {"left", &L::left}, {"depth", &L::depth}},
              {{"name", &L::name}, {"background", &L::background}, {"scene", &L::scene}}},
      Kind<FunctionRecord>{15, &fns, {},
                           {{"name", &FunctionRecord::name}, {"params", &FunctionRecord::params},
                            {"description", &FunctionRecord::description}},
                           &FunctionRecord::code, ANGLES_VERSION});
}

// Two records of every kind, so that a record read from its neighbour
// shows too. No number is 0 or 1: no record is an object definition, so
// every instance keeps the depth it was given.
template <typename Record>
void fillDistinct(Kind<Record>& kind, int& counter) {
  kind.table->assign(2, Record());
  for (Record& r : *kind.table) {
    for (const auto& f : kind.numbers) r.*f.member = counter++;
    for (const auto& f : kind.texts) r.*f.member = "t" + std::to_string(counter++);
    if (kind.code) r.*kind.code = "code " + std::to_string(counter++);
  }
  kind.saved = *kind.table;
}

template <typename Record>
void expectReadAsSaid(const Kind<Record>& kind, const XmlDocument& doc, int version) {
  SCOPED_TRACE("section " + std::to_string(kind.section));
  if (version < kind.since) {
    EXPECT_TRUE(kind.table->empty());
    return;
  }
  ASSERT_EQ(kind.table->size(), kind.saved.size());
  int list = doc.child(doc.root, size_t(kind.section));
  for (size_t i = 0; i < kind.saved.size(); ++i) {
    int e = doc.child(list, i + 1);
    const Record& read = (*kind.table)[i];
    for (const auto& f : kind.numbers) {
      int said = kind.saved[i].*f.member;
      EXPECT_EQ(doc.attribute(e, f.attribute), std::to_string(said)) << f.attribute;
      EXPECT_EQ(read.*f.member, version < f.since ? 0 : said) << f.attribute << " of " << i;
    }
    for (const auto& f : kind.texts) {
      EXPECT_EQ(doc.attribute(e, f.attribute), kind.saved[i].*f.member) << f.attribute;
      EXPECT_EQ(read.*f.member, kind.saved[i].*f.member) << f.attribute << " of " << i;
    }
    if (kind.code) {
      EXPECT_EQ(read.*kind.code, doc.text(e)) << "code of " << i;
    }
  }
}

class ReaderFieldsTest : public ProjectTest {};

TEST_F(ReaderFieldsTest, EveryFieldIsReadFromItsOwnAttributeAtEveryVersion) {
  auto kinds = recordKinds();
  int counter = 100;
  std::apply([&](auto&... kind) { (fillDistinct(kind, counter), ...); }, kinds);
  uidCounter = counter++;
  projectInfo = {"title", "variables", "functions", counter++, "comments"};
  const ProjectRecord savedInfo = projectInfo;
  const int savedUid = uidCounter;
  projectName = "p";
  imgFolder = "pics";
  audFolder = "sfx";
  ASSERT_TRUE(writeProject());
  const std::string written = slurp("Projects/p.xml");
  projectHooks.newProject = [] {
    clearProjectTables();
    imgFolder = "img";
    audFolder = "aud";
  };

  for (int version : {130, ANGLES_VERSION, ANGLES_VERSION - 1}) {
    SCOPED_TRACE("version " + std::to_string(version));
    std::string bytes = written;
    bytes.replace(bytes.find("version=\"130\""), 13, "version=\"" + std::to_string(version) + "\"");
    const std::string name = "v" + std::to_string(version);
    writeFile("Projects/" + name + ".xml", bytes);
    XmlDocument doc;
    ASSERT_TRUE(parseXml(bytes, doc));
    ASSERT_TRUE(openProjectNamed(name));

    EXPECT_EQ(uidCounter, savedUid);
    EXPECT_EQ(projectInfo.title, savedInfo.title);
    EXPECT_EQ(projectInfo.advancedscriptmode, savedInfo.advancedscriptmode);
    EXPECT_EQ(projectInfo.functions, savedInfo.functions);
    EXPECT_EQ(projectInfo.variables, savedInfo.variables);
    EXPECT_EQ(projectInfo.comments, savedInfo.comments);
    EXPECT_EQ(imgFolder, version >= ANGLES_VERSION ? "pics" : "img");
    EXPECT_EQ(audFolder, version >= ANGLES_VERSION ? "sfx" : "aud");
    std::apply([&](const auto&... kind) { (expectReadAsSaid(kind, doc, version), ...); }, kinds);
  }
}

}  // namespace
