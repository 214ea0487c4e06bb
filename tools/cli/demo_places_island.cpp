// The Island theatre: a small island cut in two along its river, the western half Allied and
// the eastern half German.
#include "demo_places.h"

namespace korvland::cli::demo {

namespace {

using namespace table_shorthand;

constexpr Place kPlaces[] = {
    // Allied
    {"Newport", {50.700f, -1.296f}, City, S | D | B},
    {"Cowes", {50.762f, -1.300f}, Town, S | F},
    {"Yarmouth", {50.706f, -1.500f}, Town, S | B},
    {"Freshwater", {50.683f, -1.515f}, Village, S},
    {"Totland", {50.680f, -1.537f}, Village, N},
    {"Carisbrooke", {50.688f, -1.315f}, Village, S},
    {"Gatcombe", {50.663f, -1.305f}, Village, N},
    {"Chillerton", {50.650f, -1.300f}, Village, N},
    {"Shorwell", {50.643f, -1.356f}, Village, N},
    {"Brighstone", {50.643f, -1.392f}, Village, N},
    {"Mottistone", {50.650f, -1.425f}, Village, N},
    {"Brook", {50.656f, -1.450f}, Village, N},
    {"Shalfleet", {50.700f, -1.420f}, Village, N},
    {"Calbourne", {50.680f, -1.400f}, Village, N},
    {"Porchfield", {50.720f, -1.380f}, Village, N},
    {"Thorley", {50.695f, -1.480f}, Village, N},
    {"Wellow", {50.692f, -1.455f}, Village, N},
    {"Chale", {50.598f, -1.318f}, Village, N},
    {"Northwood", {50.745f, -1.305f}, Village, N},
    {"Gurnard", {50.757f, -1.323f}, Village, N},
    {"Parkhurst", {50.718f, -1.305f}, Village, D},
    {"Somerton", {50.748f, -1.315f}, Village, A},
    {"Alum Bay", {50.670f, -1.570f}, Village, N},
    {"Ningwood", {50.700f, -1.445f}, Village, S},
    {"Kingston", {50.620f, -1.310f}, Village, N},
    {"Newbridge", {50.690f, -1.415f}, Village, N},
    {"Bowcombe", {50.685f, -1.335f}, Village, N},
    {"Limerstone", {50.645f, -1.375f}, Village, N},
    {"Atherfield", {50.605f, -1.355f}, Village, N},
    {"Compton", {50.660f, -1.480f}, Village, N},
    {"Afton", {50.680f, -1.505f}, Village, N},
    {"Norton", {50.705f, -1.525f}, Village, N},
    {"Colwell", {50.690f, -1.530f}, Village, N},
    {"Hamstead", {50.720f, -1.430f}, Village, N},
    {"Watchingwell", {50.695f, -1.375f}, Village, N},
    {"Cranmore", {50.715f, -1.460f}, Village, N},
    // German
    {"Ryde", {50.730f, -1.160f}, City, S | D},
    {"East Cowes", {50.757f, -1.290f}, Town, F},
    {"Sandown", {50.655f, -1.150f}, Town, S | A},
    {"Shanklin", {50.630f, -1.175f}, Town, S},
    {"Ventnor", {50.595f, -1.205f}, Town, S},
    {"Brading", {50.680f, -1.140f}, Village, S},
    {"Bembridge", {50.688f, -1.083f}, Village, A},
    {"St Helens", {50.700f, -1.115f}, Village, S},
    {"Seaview", {50.718f, -1.110f}, Village, N},
    {"Nettlestone", {50.713f, -1.120f}, Village, N},
    {"Binstead", {50.725f, -1.185f}, Village, N},
    {"Fishbourne", {50.735f, -1.210f}, Village, N},
    {"Wootton Bridge", {50.723f, -1.237f}, Village, B},
    {"Whippingham", {50.733f, -1.268f}, Village, S},
    {"Havenstreet", {50.708f, -1.210f}, Village, S},
    {"Ashey", {50.695f, -1.185f}, Village, S},
    {"Arreton", {50.675f, -1.235f}, Village, N},
    {"Merstone", {50.665f, -1.255f}, Village, S},
    {"Newchurch", {50.662f, -1.205f}, Village, S},
    {"Alverstone", {50.662f, -1.180f}, Village, S},
    {"Lake", {50.645f, -1.170f}, Village, N},
    {"Apse Heath", {50.645f, -1.195f}, Village, N},
    {"Godshill", {50.632f, -1.255f}, Village, S},
    {"Wroxall", {50.620f, -1.225f}, Village, S},
    {"Whitwell", {50.590f, -1.255f}, Village, S},
    {"St Lawrence", {50.588f, -1.240f}, Village, N},
    {"Bonchurch", {50.600f, -1.190f}, Village, N},
    {"Niton", {50.585f, -1.280f}, Village, N},
    {"Rookley", {50.652f, -1.275f}, Village, N},
    {"Blackwater", {50.680f, -1.277f}, Village, N},
    {"Haylands", {50.720f, -1.165f}, Village, N},
    {"Upton", {50.715f, -1.175f}, Village, N},
    {"Hale Common", {50.650f, -1.225f}, Village, N},
    {"Sandford", {50.630f, -1.245f}, Village, N},
    {"Luccombe", {50.615f, -1.185f}, Village, N},
    {"Yaverland", {50.665f, -1.130f}, Village, N},
    {"Adgestone", {50.665f, -1.150f}, Village, N},
    {"Whiteley Bank", {50.625f, -1.215f}, Village, N},
    {"Nunwell", {50.688f, -1.155f}, Village, N},
    {"Wootton Common", {50.710f, -1.245f}, Village, N},
};

constexpr GeoPoint kFront[] = {
    {50.765f, -1.295f}, {50.70f, -1.290f}, {50.65f, -1.280f}, {50.60f, -1.290f}, {50.585f, -1.290f},
};

// The line runs on out to sea at both ends.
constexpr GeoPoint kGermanClosure[] = {
    {50.55f, -1.290f}, {50.55f, -1.00f}, {50.80f, -1.00f}, {50.80f, -1.295f}};

// Chalk downs across the middle, low ground by the shores.
float elevation(GeoPoint, float noise) {
    return 5.0f + noise * 150.0f;
}

} // namespace

const RegionPlaces& islandPlaces() {
    static const RegionPlaces places{kPlaces, kFront, kGermanClosure, &elevation};
    return places;
}

} // namespace korvland::cli::demo
