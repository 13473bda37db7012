#pragma once

// The resource ids of the Presentation Engine page's controls: the edit router and the tests
// find a control by its id.
namespace kivo::gui::presentationPageIds {

inline constexpr int canvasGroup = 1000;

// The presentations.
inline constexpr int presentationCount = 1340;
inline constexpr int presentationList = 1345;
inline constexpr int presentationName = 1245;
inline constexpr int renamePresentation = 1334;
inline constexpr int addPresentation = 1333;
inline constexpr int copyPresentation = 1341;
inline constexpr int removePresentation = 1332;
inline constexpr int loop = 1338;
inline constexpr int saveAs = 1337;

// The shots of the chosen presentation.
inline constexpr int shotCount = 1339;
inline constexpr int shotList = 1346;
inline constexpr int shotName = 1246;
inline constexpr int holdTime = 1330;
inline constexpr int renameShot = 1336;
inline constexpr int addShot = 1319;
inline constexpr int copyShot = 1327;
inline constexpr int removeShot = 1242;
inline constexpr int assign = 1331;
inline constexpr int up = 1243;
inline constexpr int down = 1244;

// The player.
inline constexpr int controlGroup = 1326;
inline constexpr int rewind = 1320;
inline constexpr int previous = 1321;
inline constexpr int pause = 1322;
inline constexpr int next = 1323;
inline constexpr int play = 1324;
inline constexpr int fast = 1325;
inline constexpr int info = 1329;
inline constexpr int progress = 1335;

// The buttons of windows 1 to 10.
inline constexpr int firstWindowButton = 1454;
constexpr int windowButton(int window) { return firstWindowButton + window - 1; }

} // namespace kivo::gui::presentationPageIds
