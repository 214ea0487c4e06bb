// The Marne theatre: the Aisne front from the Oise to the Argonne, German-held to the north,
// with the Marne valley and Champagne behind the Allied lines.
#include "demo_places.h"

namespace korvland::cli::demo {

namespace {

using namespace table_shorthand;

constexpr Place kPlaces[] = {
    // Allied
    {"Reims", {49.258f, 4.032f}, City, S | F | D},
    {"Épernay", {49.041f, 3.959f}, City, S | B | F},
    {"Château-Thierry", {49.046f, 3.403f}, City, S | B},
    {"Châlons-sur-Marne", {48.957f, 4.363f}, City, S | D | A},
    {"Soissons", {49.381f, 3.323f}, City, S | B},
    {"Compiègne", {49.417f, 2.826f}, City, S | B | D},
    {"Meaux", {48.960f, 2.879f}, City, S | B | F},
    {"Vitry-le-François", {48.725f, 4.585f}, Town, S | B},
    {"Villers-Cotterêts", {49.253f, 3.090f}, Town, S | A},
    {"Fismes", {49.308f, 3.686f}, Town, S | B},
    {"Dormans", {49.073f, 3.637f}, Town, B},
    {"Montmirail", {48.872f, 3.538f}, Town, A},
    {"Sézanne", {48.721f, 3.723f}, Town, S},
    {"Fère-en-Tardenois", {49.200f, 3.516f}, Town, S},
    {"La Ferté-sous-Jouarre", {48.950f, 3.128f}, Town, S | B},
    {"Coulommiers", {48.813f, 3.085f}, Town, A},
    {"Crépy-en-Valois", {49.234f, 2.889f}, Town, S},
    {"Senlis", {49.207f, 2.586f}, Town, N},
    {"Suippes", {49.129f, 4.533f}, Town, D},
    {"Mourmelon-le-Grand", {49.133f, 4.367f}, Town, D | A},
    {"Sainte-Menehould", {49.090f, 4.897f}, Town, S},
    {"Vertus", {48.906f, 4.003f}, Town, N},
    {"Ay", {49.055f, 4.005f}, Town, F},
    {"Jonchery-sur-Vesle", {49.288f, 3.813f}, Village, S},
    {"Braine", {49.343f, 3.533f}, Village, S | B},
    {"Oulchy-le-Château", {49.200f, 3.360f}, Village, N},
    {"Neuilly-Saint-Front", {49.171f, 3.264f}, Village, N},
    {"Lizy-sur-Ourcq", {49.024f, 3.023f}, Village, B},
    {"Nanteuil-le-Haudouin", {49.141f, 2.811f}, Village, N},
    {"Esternay", {48.732f, 3.561f}, Village, N},
    {"Montmort-Lucy", {48.920f, 3.817f}, Village, N},
    {"Avize", {48.973f, 4.011f}, Village, N},
    {"Mareuil-sur-Ay", {49.045f, 4.034f}, Village, N},
    {"Tours-sur-Marne", {49.049f, 4.118f}, Village, N},
    {"Condé-sur-Marne", {49.050f, 4.180f}, Village, B},
    {"Hautvillers", {49.080f, 3.941f}, Village, N},
    {"Damery", {49.072f, 3.883f}, Village, N},
    {"Verzy", {49.146f, 4.164f}, Village, N},
    {"Sillery", {49.199f, 4.133f}, Village, N},
    {"Rilly-la-Montagne", {49.164f, 4.045f}, Village, N},
    {"Bouzy", {49.081f, 4.145f}, Village, N},
    {"Louvois", {49.108f, 4.112f}, Village, N},
    {"Ville-en-Tardenois", {49.177f, 3.799f}, Village, N},
    {"Châtillon-sur-Marne", {49.101f, 3.758f}, Village, N},
    {"Gueux", {49.252f, 3.911f}, Village, N},
    {"Muizon", {49.274f, 3.889f}, Village, N},
    {"Cormicy", {49.370f, 3.895f}, Village, N},
    {"Courtisols", {48.983f, 4.520f}, Village, N},
    {"Pierry", {49.021f, 3.941f}, Village, N},
    {"Cramant", {48.987f, 4.000f}, Village, N},
    {"Villers-Marmery", {49.142f, 4.208f}, Village, N},
    {"Vailly-sur-Aisne", {49.409f, 3.517f}, Village, B},
    // German
    {"Laon", {49.564f, 3.620f}, City, S | D | A},
    {"Saint-Quentin", {49.848f, 3.287f}, City, S | F | D},
    {"Rethel", {49.509f, 4.367f}, Town, S | B},
    {"Noyon", {49.581f, 3.000f}, Town, S},
    {"Chauny", {49.615f, 3.219f}, Town, S | F},
    {"La Fère", {49.662f, 3.366f}, Town, D | B},
    {"Vervins", {49.835f, 3.908f}, Town, A},
    {"Guise", {49.900f, 3.628f}, Town, N},
    {"Marle", {49.740f, 3.772f}, Town, A},
    {"Vouziers", {49.398f, 4.701f}, Town, S | D},
    {"Tergnier", {49.656f, 3.300f}, Town, S},
    {"Ham", {49.747f, 3.073f}, Town, N},
    {"Roye", {49.700f, 2.790f}, Town, S},
    {"Coucy-le-Château", {49.521f, 3.320f}, Village, N},
    {"Saint-Gobain", {49.595f, 3.375f}, Village, F},
    {"Anizy-le-Château", {49.507f, 3.451f}, Village, N},
    {"Crécy-sur-Serre", {49.697f, 3.624f}, Village, N},
    {"Sissonne", {49.571f, 3.894f}, Village, D},
    {"Montcornet", {49.695f, 4.017f}, Village, N},
    {"Asfeld", {49.461f, 4.118f}, Village, N},
    {"Neufchâtel-sur-Aisne", {49.432f, 4.030f}, Village, B},
    {"Guignicourt", {49.433f, 3.968f}, Village, S},
    {"Corbeny", {49.466f, 3.823f}, Village, N},
    {"Bruyères-et-Montbérault", {49.524f, 3.662f}, Village, N},
    {"Pinon", {49.489f, 3.447f}, Village, N},
    {"Bazancourt", {49.365f, 4.170f}, Village, S},
    {"Witry-lès-Reims", {49.291f, 4.120f}, Village, N},
    {"Pontfaverger", {49.297f, 4.317f}, Village, N},
    {"Bétheniville", {49.292f, 4.371f}, Village, N},
    {"Juniville", {49.396f, 4.390f}, Village, A},
    {"Château-Porcien", {49.528f, 4.248f}, Village, N},
    {"Machault", {49.353f, 4.500f}, Village, N},
    {"Somme-Py", {49.250f, 4.578f}, Village, N},
    {"Attigny", {49.479f, 4.578f}, Village, B},
    {"Guiscard", {49.655f, 3.052f}, Village, N},
    {"Lassigny", {49.587f, 2.760f}, Village, N},
    {"Ribemont", {49.795f, 3.460f}, Village, N},
    {"Liesse", {49.603f, 3.800f}, Village, N},
};

constexpr GeoPoint kFront[] = {
    {49.60f, 2.60f}, {49.55f, 2.80f}, {49.52f, 3.00f}, {49.43f, 3.20f}, {49.40f, 3.33f},
    {49.44f, 3.50f}, {49.45f, 3.70f}, {49.40f, 3.90f}, {49.31f, 4.02f}, {49.25f, 4.10f},
    {49.20f, 4.30f}, {49.18f, 4.60f}, {49.18f, 4.80f}, {49.20f, 5.00f},
};

constexpr GeoPoint kGermanClosure[] = {{50.00f, 5.00f}, {50.00f, 2.50f}, {49.62f, 2.50f}};

// Chalk plain and the low hills of the Montagne de Reims and the Tardenois.
float elevation(GeoPoint, float noise) {
    return 60.0f + noise * 220.0f;
}

} // namespace

const RegionPlaces& marnePlaces() {
    static const RegionPlaces places{kPlaces, kFront, kGermanClosure, &elevation};
    return places;
}

} // namespace korvland::cli::demo
