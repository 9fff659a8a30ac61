package NET.tellandrix;

/**
 * Positional audio for the Mumble voice client.
 *
 * <p>Call {@link #initMumble()} once, and again whenever the voice client may have been started
 * since; then call {@link #updateMumble} once per frame. Both do nothing, quietly, while the voice
 * client is not running. Call them from one thread at a time.
 */
public final class MumbleLink {
    static {
        System.loadLibrary("mumblezevrin");
    }

    private MumbleLink() {}

    /** Attaches to the voice client's link record, if the voice client has created it. */
    public static native void initMumble();

    /**
     * Publishes one frame. Positions are passed x, z, y with y vertical, in the game's own units.
     *
     * @param identity the user's identity within the context (at most 256 UTF-16 units are used)
     * @param azimuth facing in the horizontal plane, in radians, from +x towards +z
     * @param elevation pitch in radians; its cosine scales the horizontal facing
     * @param context groups users who hear each other; its first 8 UTF-16 units are used
     */
    public static native void updateMumble(String identity,
            float avatarX, float avatarZ, float avatarY,
            float cameraX, float cameraZ, float cameraY,
            float azimuth, float elevation, String context);
}
