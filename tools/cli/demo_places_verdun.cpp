// The Verdun theatre: the lines around Verdun and the Saint-Mihiel salient, German-held to the
// north and east, with the Argonne to the west and the Moselle to the east.
#include "demo_places.h"

namespace korvland::cli::demo {

namespace {

using namespace table_shorthand;

constexpr Place kPlaces[] = {
    // Allied
    {"Verdun", {49.160f, 5.384f}, City, S | B | D},
    {"Bar-le-Duc", {48.772f, 5.160f}, City, S | D | F},
    {"Toul", {48.675f, 5.891f}, City, S | D | A},
    {"Nancy", {48.692f, 6.184f}, City, S | F | A},
    {"Commercy", {48.763f, 5.592f}, Town, S | B},
    {"Sainte-Menehould", {49.090f, 4.897f}, Town, S},
    {"Clermont-en-Argonne", {49.107f, 5.071f}, Town, N},
    {"Ligny-en-Barrois", {48.688f, 5.324f}, Town, S | F},
    {"Vaucouleurs", {48.601f, 5.666f}, Town, N},
    {"Pont-à-Mousson", {48.905f, 6.055f}, Town, S | B | F},
    {"Revigny-sur-Ornain", {48.830f, 4.983f}, Town, S},
    {"Souilly", {49.027f, 5.283f}, Village, A},
    {"Lemmes", {49.060f, 5.262f}, Village, D},
    {"Dugny-sur-Meuse", {49.107f, 5.385f}, Village, B},
    {"Haudainville", {49.127f, 5.416f}, Village, N},
    {"Belrupt-en-Verdunois", {49.144f, 5.433f}, Village, N},
    {"Sivry-la-Perche", {49.139f, 5.249f}, Village, N},
    {"Esnes-en-Argonne", {49.196f, 5.190f}, Village, N},
    {"Dombasle-en-Argonne", {49.131f, 5.172f}, Village, N},
    {"Récicourt", {49.124f, 5.147f}, Village, N},
    {"Les Islettes", {49.110f, 4.994f}, Village, N},
    {"Rarécourt", {49.057f, 5.118f}, Village, N},
    {"Void-Vacon", {48.690f, 5.618f}, Village, N},
    {"Lérouville", {48.794f, 5.541f}, Village, S},
    {"Ménil-la-Tour", {48.774f, 5.870f}, Village, A},
    {"Dieulouard", {48.842f, 6.070f}, Village, B},
    {"Vaubecourt", {48.935f, 5.115f}, Village, N},
    {"Triaucourt-en-Argonne", {48.985f, 5.040f}, Village, N},
    {"Génicourt-sur-Meuse", {49.047f, 5.433f}, Village, B},
    {"Troyon", {49.000f, 5.484f}, Village, N},
    {"Dieue-sur-Meuse", {49.075f, 5.423f}, Village, N},
    {"Rupt-en-Woëvre", {49.050f, 5.480f}, Village, N},
    {"Vienne-le-Château", {49.180f, 4.888f}, Village, N},
    {"Beauzée-sur-Aire", {48.945f, 5.225f}, Village, N},
    {"Pierrefitte-sur-Aire", {48.895f, 5.340f}, Village, N},
    {"Frouard", {48.760f, 6.131f}, Village, F},
    {"Liverdun", {48.750f, 6.063f}, Village, B},
    {"Sorcy-Saint-Martin", {48.718f, 5.633f}, Village, N},
    {"Boucq", {48.760f, 5.760f}, Village, N},
    // German
    {"Metz", {49.120f, 6.176f}, City, S | F | D},
    {"Thionville", {49.358f, 6.168f}, City, S | D},
    {"Stenay", {49.492f, 5.188f}, Town, S | D},
    {"Montmédy", {49.519f, 5.365f}, Town, S},
    {"Étain", {49.212f, 5.640f}, Town, S},
    {"Longuyon", {49.443f, 5.601f}, Town, S},
    {"Briey", {49.249f, 5.940f}, Town, F},
    {"Saint-Mihiel", {48.888f, 5.543f}, Town, B},
    {"Hayange", {49.330f, 6.060f}, Town, F},
    {"Dun-sur-Meuse", {49.385f, 5.183f}, Village, B | S},
    {"Montfaucon", {49.274f, 5.137f}, Village, N},
    {"Romagne-sous-Montfaucon", {49.333f, 5.082f}, Village, N},
    {"Damvillers", {49.341f, 5.398f}, Village, S},
    {"Consenvoye", {49.287f, 5.290f}, Village, B},
    {"Azannes", {49.302f, 5.466f}, Village, N},
    {"Ornes", {49.245f, 5.475f}, Village, N},
    {"Mangiennes", {49.346f, 5.538f}, Village, N},
    {"Spincourt", {49.331f, 5.667f}, Village, A},
    {"Fresnes-en-Woëvre", {49.100f, 5.622f}, Village, N},
    {"Conflans-en-Jarny", {49.166f, 5.857f}, Village, S},
    {"Mars-la-Tour", {49.100f, 5.890f}, Village, N},
    {"Chambley", {49.040f, 5.900f}, Village, A},
    {"Thiaucourt", {48.955f, 5.862f}, Village, N},
    {"Vigneulles", {48.982f, 5.706f}, Village, N},
    {"Gorze", {49.053f, 6.000f}, Village, N},
    {"Ars-sur-Moselle", {49.077f, 6.074f}, Village, F},
    {"Novéant-sur-Moselle", {49.022f, 6.048f}, Village, B},
    {"Pagny-sur-Moselle", {48.983f, 6.020f}, Village, N},
    {"Audun-le-Roman", {49.369f, 5.893f}, Village, N},
    {"Moyeuvre", {49.250f, 6.030f}, Village, F},
    {"Frescaty", {49.070f, 6.135f}, Village, A},
    {"Varennes-en-Argonne", {49.225f, 5.032f}, Village, N},
    {"Grandpré", {49.342f, 4.873f}, Village, N},
    {"Buzancy", {49.428f, 4.947f}, Village, N},
};

constexpr GeoPoint kFront[] = {
    {49.220f, 4.80f}, {49.220f, 4.95f}, {49.200f, 5.07f}, {49.215f, 5.14f}, {49.235f, 5.25f},
    {49.225f, 5.33f}, {49.215f, 5.44f}, {49.200f, 5.47f}, {49.150f, 5.52f}, {49.090f, 5.58f},
    {49.060f, 5.60f}, {49.000f, 5.61f}, {48.930f, 5.57f}, {48.890f, 5.50f}, {48.860f, 5.56f},
    {48.850f, 5.70f}, {48.860f, 5.80f}, {48.890f, 5.95f}, {48.930f, 6.02f}, {48.930f, 6.30f},
};

constexpr GeoPoint kGermanClosure[] = {{49.60f, 6.30f}, {49.60f, 4.80f}};

// The Meuse heights and the plateaus either side of the river.
float elevation(GeoPoint, float noise) {
    return 190.0f + noise * 200.0f;
}

} // namespace

const RegionPlaces& verdunPlaces() {
    static const RegionPlaces places{kPlaces, kFront, kGermanClosure, &elevation};
    return places;
}

} // namespace korvland::cli::demo
