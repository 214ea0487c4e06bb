// The Alsace theatre: the Vosges front from Lorraine to the Swiss border, German-held to the
// east, with the Rhine plain behind the German lines.
#include "demo_places.h"

namespace korvland::cli::demo {

namespace {

using namespace table_shorthand;

constexpr Place kPlaces[] = {
    // Allied
    {"Épinal", {48.174f, 6.449f}, City, S | D | A},
    {"Belfort", {47.638f, 6.863f}, City, S | D | F | A},
    {"Lunéville", {48.591f, 6.496f}, City, S | D | A},
    {"Saint-Dié", {48.284f, 6.949f}, Town, S | F},
    {"Gérardmer", {48.073f, 6.878f}, Town, N},
    {"Remiremont", {48.017f, 6.591f}, Town, S | F},
    {"Rambervillers", {48.347f, 6.634f}, Town, N},
    {"Baccarat", {48.450f, 6.740f}, Town, F | B},
    {"Raon-l'Étape", {48.405f, 6.841f}, Town, S},
    {"Montbéliard", {47.510f, 6.798f}, Town, S | F},
    {"Thann", {47.808f, 7.103f}, Town, S},
    {"Delle", {47.508f, 7.001f}, Town, S},
    {"Lure", {47.683f, 6.497f}, Town, S},
    {"Luxeuil-les-Bains", {47.817f, 6.381f}, Town, A},
    {"Charmes", {48.373f, 6.292f}, Town, B},
    {"Bruyères", {48.208f, 6.719f}, Village, S},
    {"Badonviller", {48.500f, 6.892f}, Village, N},
    {"Giromagny", {47.742f, 6.827f}, Village, N},
    {"Masevaux", {47.775f, 6.997f}, Village, N},
    {"Saint-Amarin", {47.875f, 7.029f}, Village, N},
    {"Bussang", {47.885f, 6.855f}, Village, N},
    {"Le Thillot", {47.880f, 6.763f}, Village, N},
    {"Dannemarie", {47.630f, 7.122f}, Village, S | B},
    {"Rougemont-le-Château", {47.737f, 6.966f}, Village, N},
    {"Corcieux", {48.170f, 6.880f}, Village, N},
    {"Fraize", {48.184f, 6.999f}, Village, N},
    {"La Bresse", {48.004f, 6.878f}, Village, N},
    {"Cornimont", {47.960f, 6.834f}, Village, N},
    {"Moyenmoutier", {48.378f, 6.913f}, Village, N},
    {"Étival-Clairefontaine", {48.362f, 6.862f}, Village, N},
    {"Gerbéviller", {48.495f, 6.511f}, Village, N},
    {"Héricourt", {47.576f, 6.760f}, Village, N},
    {"Plombières-les-Bains", {47.963f, 6.458f}, Village, N},
    // German
    {"Strasbourg", {48.583f, 7.746f}, City, S | F | D | A},
    {"Colmar", {48.079f, 7.358f}, City, S | D | A},
    {"Mulhouse", {47.750f, 7.336f}, City, S | F | D},
    {"Freiburg im Breisgau", {47.995f, 7.853f}, City, S | A},
    {"Sélestat", {48.259f, 7.454f}, Town, S},
    {"Guebwiller", {47.910f, 7.210f}, Town, F},
    {"Molsheim", {48.542f, 7.492f}, Town, F},
    {"Obernai", {48.462f, 7.482f}, Town, N},
    {"Erstein", {48.422f, 7.663f}, Town, N},
    {"Altkirch", {47.624f, 7.240f}, Town, S},
    {"Saint-Louis", {47.590f, 7.560f}, Town, S},
    {"Sarrebourg", {48.735f, 7.054f}, Town, S | D},
    {"Saverne", {48.741f, 7.362f}, Town, S},
    {"Haguenau", {48.816f, 7.790f}, Town, A},
    {"Cernay", {47.807f, 7.176f}, Village, S},
    {"Soultz-Haut-Rhin", {47.887f, 7.230f}, Village, N},
    {"Turckheim", {48.087f, 7.278f}, Village, N},
    {"Kaysersberg", {48.139f, 7.263f}, Village, N},
    {"Ribeauvillé", {48.195f, 7.319f}, Village, N},
    {"Sainte-Marie-aux-Mines", {48.247f, 7.183f}, Village, N},
    {"Villé", {48.341f, 7.302f}, Village, N},
    {"Schirmeck", {48.483f, 7.220f}, Village, S},
    {"Barr", {48.408f, 7.449f}, Village, N},
    {"Benfeld", {48.370f, 7.594f}, Village, N},
    {"Neuf-Brisach", {48.018f, 7.528f}, Village, D | B},
    {"Breisach", {48.030f, 7.580f}, Village, B},
    {"Ensisheim", {47.865f, 7.353f}, Village, N},
    {"Habsheim", {47.729f, 7.417f}, Village, A},
    {"Rixheim", {47.749f, 7.406f}, Village, F},
    {"Wittelsheim", {47.806f, 7.238f}, Village, N},
    {"Bollwiller", {47.858f, 7.262f}, Village, N},
    {"Rouffach", {47.958f, 7.300f}, Village, N},
    {"Eguisheim", {48.043f, 7.306f}, Village, N},
    {"Wintzenheim", {48.073f, 7.290f}, Village, N},
    {"Dieuze", {48.812f, 6.719f}, Village, N},
    {"Château-Salins", {48.819f, 6.513f}, Village, N},
    {"Blâmont", {48.590f, 6.843f}, Village, N},
    {"Avricourt", {48.650f, 6.810f}, Village, S},
    {"Müllheim", {47.808f, 7.630f}, Village, N},
};

constexpr GeoPoint kFront[] = {
    {48.95f, 6.30f}, {48.85f, 6.35f}, {48.70f, 6.60f}, {48.58f, 6.80f}, {48.50f, 6.92f}, {48.40f, 6.97f},
    {48.30f, 7.02f}, {48.17f, 7.10f}, {48.10f, 7.15f}, {47.98f, 7.12f}, {47.86f, 7.16f}, {47.81f, 7.14f},
    {47.72f, 7.17f}, {47.63f, 7.17f}, {47.50f, 7.15f}, {47.42f, 7.15f},
};

constexpr GeoPoint kGermanClosure[] = {{47.42f, 8.00f}, {48.95f, 8.00f}};

// The Rhine plain in the east, the Vosges in the middle, the Lorraine plateau in the west.
float elevation(GeoPoint at, float noise) {
    if (at.lon > 7.30f)
        return 150.0f + noise * 80.0f;
    if (at.lon < 6.60f)
        return 250.0f + noise * 150.0f;
    return 350.0f + noise * 650.0f;
}

} // namespace

const RegionPlaces& alsacePlaces() {
    static const RegionPlaces places{kPlaces, kFront, kGermanClosure, &elevation};
    return places;
}

} // namespace korvland::cli::demo
