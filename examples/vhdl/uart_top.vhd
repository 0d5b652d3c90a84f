-- Example top level: sends the byte on the switches whenever the button is
-- pressed, and lights a lamp while the transmitter is busy.
library ieee;
use ieee.std_logic_1164.all;

entity uart_top is
  port (
    clk      : in  std_logic;
    rst      : in  std_logic;
    button   : in  std_logic;
    switches : in  std_logic_vector(7 downto 0);
    uart_out : out std_logic;
    lamp     : out std_logic
  );
end entity uart_top;

architecture rtl of uart_top is
  signal pressed : std_logic;
  signal last    : std_logic;
  signal busy    : std_logic;
  signal done    : std_logic;

  component uart_tx
    generic (CLKS_PER_BIT : integer := 104; DATA_BITS : integer := 8);
    port (
      clk     : in  std_logic;
      rst     : in  std_logic;
      send    : in  std_logic;
      data_in : in  std_logic_vector(7 downto 0);
      tx      : out std_logic;
      busy    : out std_logic;
      done    : out std_logic
    );
  end component;
begin
  -- A press is the first cycle with the button down.
  edge : process (clk)
  begin
    if rising_edge(clk) then
      last <= button;
    end if;
  end process edge;

  pressed <= button and not last;
  lamp    <= busy;

  u_tx : uart_tx
    generic map (CLKS_PER_BIT => 104, DATA_BITS => 8)
    port map (
      clk     => clk,
      rst     => rst,
      send    => pressed,
      data_in => switches,
      tx      => uart_out,
      busy    => busy,
      done    => done
    );
end architecture rtl;
